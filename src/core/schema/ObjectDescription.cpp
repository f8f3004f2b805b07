#include "core/schema/ObjectDescription.h"

#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

namespace {

constexpr int kBranchWidth = 85;
constexpr int kUzelWidth = 95;

QString One(double value) { return QString::number(value, 'f', 1); }
QString YesNo(bool value) { return value ? QStringLiteral("Да") : QStringLiteral("Нет"); }

TDescriptionLine Plain(const QString& text) { return TDescriptionLine{text, QString(), false, 0}; }
TDescriptionLine Item(const QString& label, const QString& value, int width)
{
    return TDescriptionLine{label, value, true, width};
}

void AddUzel(std::vector<TDescriptionLine>& lines, const TUzel& u, bool full)
{
    lines.push_back(Plain(QStringLiteral("Узел ") + QString::number(u.Number())));
    if (full)
        lines.push_back(Plain(QString()));
    const QString indent = full ? QStringLiteral("  ") : QStringLiteral("    ");
    lines.push_back(Item(indent + QStringLiteral("X (м)"), One(u.X()), kUzelWidth));
    lines.push_back(Item(indent + QStringLiteral("Y (м)"), One(u.Y()), kUzelWidth));
    lines.push_back(Item(indent + QStringLiteral("Z (м)"), One(u.Z()), kUzelWidth));
    if (!full)
        return;
    lines.push_back(Item(QStringLiteral("  Поверхностный:"), YesNo(u.Surface()), kUzelWidth));
    lines.push_back(Item(QStringLiteral("  Инцид. ветвей:"), QString::number(u.IncidentCount()), kUzelWidth));
}

int DeviceCount(const TMine& mine)
{
    int n = 0;
    for (const TBranch* b : mine.Branches)
        for (const TPipe* p : b->Pipes)
            n += p->Devices.Count();
    return n;
}

QString ConsumerName(int type)
{
    switch (type) {
    case 1: return QStringLiteral("вод. завеса");
    case 2: return QStringLiteral("УАП");
    case 3: return QStringLiteral("техн. нужды");
    default: return QStringLiteral("пож. ствол");
    }
}

}  // namespace

namespace ObjectDescription {

QString MineSummary(const TMine& mine)
{
    return QStringLiteral("Шахта: \"%1\"\n  Ветвей: %2\n  Узлов: %3\n  Пластов: %4\n  Устройств: %5")
        .arg(mine.Name())
        .arg(mine.Branches.Count())
        .arg(mine.Uzels.Count())
        .arg(mine.Layers.Count())
        .arg(DeviceCount(mine));
}

std::vector<TDescriptionLine> Describe(const TMineObject* object)
{
    std::vector<TDescriptionLine> lines;
    if (const auto* u = dynamic_cast<const TUzel*>(object)) {
        AddUzel(lines, *u, true);
    } else if (const auto* b = dynamic_cast<const TBranch*>(object)) {
        const QString remark = b->Remark().trimmed();
        lines.push_back(Plain(remark.isEmpty() ? QStringLiteral("Ветвь ") + QString::number(b->Number())
                                               : QStringLiteral("Ветвь %1\n\"%2\"").arg(b->Number()).arg(remark)));
        lines.push_back(Plain(QString()));
        const QString none = QStringLiteral("не определен");
        lines.push_back(Item(QStringLiteral("  Нач. узел:"),
                             b->StartUzel() ? QString::number(b->StartNumber()) : none, kBranchWidth));
        lines.push_back(Item(QStringLiteral("  Конеч. узел:"),
                             b->EndUzel() ? QString::number(b->EndNumber()) : none, kBranchWidth));
        lines.push_back(Item(QStringLiteral("  Длина (м):"), One(b->Length()), kBranchWidth));
        lines.push_back(Item(QStringLiteral("  Угол накл. (°):"), One(b->Angle()), kBranchWidth));
        for (const TUzel* end : {b->StartUzel(), b->EndUzel()})
            if (end) {
                lines.push_back(Plain(QString()));
                AddUzel(lines, *end, false);
            }
    } else if (const auto* d = dynamic_cast<const TDevice*>(object)) {
        const auto* crane = dynamic_cast<const TCrane*>(d);
        lines.push_back(Plain(crane ? QStringLiteral("%1 (%2)").arg(d->KindName(), ConsumerName(crane->ConsumerType()))
                                    : d->KindName()));
        lines.push_back(Plain(QString()));
        lines.push_back(Item(QStringLiteral("  Номер"), QString::number(d->Number()), kBranchWidth));
        lines.push_back(Item(QStringLiteral("  Модель"), d->Model(), kBranchWidth));
        lines.push_back(Item(QStringLiteral("  Выс. отм (м)"), One(d->GetZ()), kBranchWidth));
        lines.push_back(Item(QStringLiteral("  Позиция (%)"), One(d->Position() * 100), kBranchWidth));
        if (const auto* pump = dynamic_cast<const TPump*>(d))
            lines.push_back(Item(QStringLiteral("  Включен"), YesNo(!pump->Off()), kBranchWidth));
        else if (const auto* reducer = dynamic_cast<const TReducer*>(d))
            lines.push_back(Item(QStringLiteral("  Включен"), YesNo(!reducer->Off()), kBranchWidth));
        else if (const auto* gate = dynamic_cast<const TGate*>(d))
            lines.push_back(Item(QStringLiteral("  Закрыта"), YesNo(gate->Closed()), kBranchWidth));
        else if (crane)
            lines.push_back(crane->Consumption()
                                ? Item(QStringLiteral("  Расход (м3/ч)"), One(crane->Flow()), kBranchWidth)
                                : Item(QStringLiteral("  Расход"), QStringLiteral("Нет"), kBranchWidth));
        else if (const auto* tank = dynamic_cast<const TJetBreakTank*>(d)) {
            lines.push_back(Item(QStringLiteral("  Объем (м3)"), One(tank->Volume()), kBranchWidth));
            lines.push_back(Item(QStringLiteral("  Обвод"), tank->Bypass() ? QStringLiteral("Есть") : QStringLiteral("Нет"),
                                 kBranchWidth));
        }
    }
    return lines;
}

}  // namespace ObjectDescription
