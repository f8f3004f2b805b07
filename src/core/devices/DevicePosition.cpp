#include "core/devices/DevicePosition.h"

#include "core/devices/DeviceEditError.h"
#include "core/model/Branch.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace DevicePosition {

namespace {

bool BothNodes(const TBranch& branch) { return branch.StartUzel() && branch.EndUzel(); }

[[noreturn]] void Refuse() { throw EDeviceEditError(DeviceEditTexts::kBadNumber, TDraftField::Position); }

double Number(QString text)
{
    text = text.trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(v))
        Refuse();
    return v;
}

enum class Unit { Percent, Metres };

// The value and its unit as the last character of the trimmed text says.
std::pair<double, Unit> Typed(const TBranch& branch, const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        Refuse();
    const QChar last = t.back();
    const bool zeroLength = branch.Length() == 0;
    if (last == QLatin1Char('%'))
        return {Number(t.chopped(1)), Unit::Percent};
    if (last == QChar(u'м') || last == QChar(u'М')) {
        if (zeroLength)
            Refuse();
        return {Number(t.chopped(1)), Unit::Metres};
    }
    if (last.isDigit() || last == QLatin1Char('.') || last == QLatin1Char(','))
        return {Number(t), zeroLength ? Unit::Percent : Unit::Metres};
    Refuse();
}

}  // namespace

TPositionTexts Texts(const TBranch& branch, double position)
{
    TPositionTexts texts;
    if (BothNodes(branch)) {
        const double length = branch.Length();
        const double fromStart = position * length;
        texts.FromStart = QString::asprintf("%.1f м", fromStart);
        texts.FromEnd = QString::asprintf("%.1f м", length - fromStart);
        const double zs = branch.StartUzel()->Z();
        const double ze = branch.EndUzel()->Z();
        texts.Elevation = QString::asprintf("%.1f м", zs + (ze - zs) * position);
    } else {
        const double percent = position * 100;
        texts.FromStart = QString::asprintf("%.1f %%", percent);
        texts.FromEnd = QString::asprintf("%.1f %%", 100 - percent);
    }
    return texts;
}

double Parse(const TBranch& branch, TPositionField field, const QString& text)
{
    const auto [value, unit] = Typed(branch, text);
    double fraction = 0;
    switch (field) {
    case TPositionField::FromStart:
    case TPositionField::FromEnd: {
        const double share = unit == Unit::Percent ? value / 100 : value / branch.Length();
        fraction = field == TPositionField::FromStart ? share : 1 - share;
        break;
    }
    case TPositionField::Elevation: {
        if (unit != Unit::Metres || !BothNodes(branch))
            Refuse();
        const double zs = branch.StartUzel()->Z();
        const double ze = branch.EndUzel()->Z();
        // A level branch has no elevation to go by.
        if (ze == zs)
            Refuse();
        fraction = (value - zs) / (ze - zs);
        break;
    }
    }
    if (!std::isfinite(fraction))
        Refuse();
    return std::clamp(fraction, 0.0, 1.0);
}

double ParseStep(const TBranch& branch, const QString& text)
{
    const auto [value, unit] = Typed(branch, text);
    const double metres = unit == Unit::Percent ? value / 100 * branch.Length() : value;
    if (!std::isfinite(metres))
        Refuse();
    return metres;
}

QString StepText(double metres) { return QString::asprintf("%.1f м", metres); }

QString StartLabel(const TBranch& branch)
{
    return branch.StartUzel() ? QStringLiteral("от узла %1").arg(branch.StartNumber()) : QStringLiteral("от начал. узла");
}

QString EndLabel(const TBranch& branch)
{
    return branch.EndUzel() ? QStringLiteral("от узла %1").arg(branch.EndNumber()) : QStringLiteral("от конеч. узла");
}

bool ElevationEditable(const TBranch& branch) { return branch.Angle() != 0; }

double IntoPipe(const TPipe& pipe, double position)
{
    if (position < pipe.StartFrac())
        return pipe.StartFrac();
    if (position > pipe.EndFrac())
        return pipe.EndFrac();
    return position;
}

}  // namespace DevicePosition
