#include "core/devices/DeviceChoices.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Pipe.h"

namespace DeviceChoices {

std::vector<TKindEntry> KindEntries()
{
    std::vector<TKindEntry> entries;
    for (int kind = 1; kind <= kDeviceKindCount; ++kind)
        entries.push_back({TDevice::KindName(kind), kind});
    return entries;
}

int KindEntryIndex(int kind)
{
    const auto entries = KindEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].Kind == kind)
            return static_cast<int>(i);
    return -1;
}

QString PageCaption(int kind)
{
    static const char* const kCaptions[] = {"Насос", "Редуктор", "Задвижка", "Кран", "БРС",
                                            "Вакуум-насос", "Скважина", "Соединение", "Номер", "Пожарная машина"};
    if (kind < 1 || kind > kDeviceKindCount)
        return QStringLiteral("Не поддерживается");
    return QString::fromUtf8(kCaptions[kind - 1]);
}

bool PipeAccepts(const TBranch& branch, int pipeIndex, int kind)
{
    return pipeIndex >= 0 && pipeIndex < branch.Pipes.Count() && branch.Pipes.Items(pipeIndex)->AcceptsKind(kind);
}

QStringList PipeEntries(const TBranch& branch)
{
    QStringList entries{QStringLiteral("Пожарно-оросительный"), QStringLiteral("Водоотлив"), QStringLiteral("Воздухопровод")};
    for (int i = 3; i < branch.Pipes.Count(); ++i)
        if (auto* gas = dynamic_cast<const TGasPipe*>(branch.Pipes.Items(i)))
            entries << QStringLiteral("Газопровод №%1").arg(gas->PipeNo());
    return entries;
}

std::vector<TKindEntry> FilterEntries()
{
    return {
        {QStringLiteral("Все устройства"), dkAll},
        {QStringLiteral("Насосы"), dkPump},
        {QStringLiteral("Гидроредукторы"), dkReducer},
        {QStringLiteral("Задвижки"), dkGate},
        {QStringLiteral("Краны"), dkCrane},
        {QStringLiteral("Резервуары (БРС)"), dkJetBreakTank},
        {QStringLiteral("Дегазационная скважина"), dkSlit},
    };
}

QString DialogCaption(bool editing)
{
    return editing ? QStringLiteral("Оборудование (** редактирование)") : QStringLiteral("Оборудование (** добавление)");
}

QString ReducerHint(bool characteristicChosen)
{
    if (!characteristicChosen)
        return QStringLiteral("Характеристика редуктора не выбрана.\r\nДля выбора характеристики редуктора нажмите \"Выбрать\"");
    return QStringLiteral(
        "Для выбора новой характеристики нажмите \"Выбрать\",\r\nДля изменения текущей характеристики нажмите \"Править\".");
}

}  // namespace DeviceChoices
