#include "render/report/DevicesReport.h"

#include "core/devices/AllDevicesTable.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"

std::vector<const TDevice*> DevicesReport::Choose(const std::vector<const TDevice*>& listed, int rows)
{
    std::vector<const TDevice*> chosen;
    for (const TDevice* d : listed)
        if (d && (rows == TDevicesReportOptions::Full || d->Selected()))
            chosen.push_back(d);
    return chosen;
}

std::vector<const TDevice*> DevicesReport::FirePipeDevices(const TMine& mine)
{
    std::vector<const TDevice*> devices;
    for (int i = 0; i < mine.Branches.Count(); ++i) {
        const TPipe* pipe = mine.Branches.Items(i)->FirePipe();
        if (!pipe)
            continue;
        for (int d = 0; d < pipe->Devices.Count(); ++d)
            devices.push_back(pipe->Devices.Items(d));
    }
    return devices;
}

TReportTable DevicesReport::Table(const std::vector<const TDevice*>& devices, const QString& kinds, int kindCode)
{
    // The columns of the all-devices table for the kind; tabs inside a cell print as two blanks.
    TReportTable table;
    table.Title = QStringLiteral("Таблица устройств (%1)").arg(kinds);
    const QStringList headings = AllDevicesTable::Headings(kindCode);
    for (int c = 0; c < headings.size(); ++c) {
        const bool last = c == headings.size() - 1;
        const double weight = c == 0 ? 1.5 : last ? 8 : kindCode == 0 ? 4 : 2;
        table.Columns.push_back({QString(headings[c]).replace(QStringLiteral("\r\n"), QStringLiteral(" ")),
                                 c < 2 ? TReportAlign::Right : TReportAlign::Left, c == 0, weight});
    }
    int row = 0;
    for (const TDevice* d : devices) {
        QStringList cells = AllDevicesTable::Cells(*d, kindCode, ++row);
        for (QString& cell : cells)
            cell = cell.replace(QLatin1Char('\t'), QStringLiteral("  ")).trimmed();
        table.Rows.push_back(cells);
    }
    return table;
}

std::vector<TTitleLine> DevicesReport::TitlePage(const TDevicesReportInputs& in)
{
    const TReportFont arial10{TReportFace::Sans, 10, false, false};
    const TReportFont arial12{TReportFace::Sans, 12, false, false};
    const TReportFont times18{TReportFace::Serif, 18, true, false};

    int cranes = 0, consumers = 0, gates = 0, closedGates = 0, pumps = 0, reducers = 0, tanks = 0;
    for (const TDevice* d : in.Devices) {
        switch (d->GetKind()) {
        case dkCrane:
            ++cranes;
            consumers += static_cast<const TCrane*>(d)->Consumption();
            break;
        case dkGate:
            ++gates;
            closedGates += static_cast<const TGate*>(d)->Closed();
            break;
        case dkPump:
            ++pumps;
            break;
        case dkReducer:
            ++reducers;
            break;
        case dkJetBreakTank:
            ++tanks;
            break;
        default:
            break;
        }
    }
    std::vector<TTitleLine> lines;
    lines.push_back({QStringLiteral("Программа расчета расчета подземного пожарно-оросительного "), {}, arial12, 5});
    lines.push_back({QStringLiteral("трубопровода \"Ирвата\". Версия 1 beta 4"), {}, arial12, 0});
    lines.push_back({QStringLiteral("Таблица устройств."), {}, times18, 1});
    lines.push_back({QStringLiteral("Шахта \"%1\"").arg(in.Mine ? in.Mine->Name() : QString()), {}, times18, 0});
    lines.push_back({QStringLiteral("Пласт: ") + in.Layer, {}, arial10, 1});
    lines.push_back({QStringLiteral("Трубопровод: ") + in.Pipe, {}, arial10, 0.1});
    lines.push_back({QStringLiteral("Устройства: ") + in.Kinds, {}, arial10, 0.1});
    const std::pair<const char*, int> counts[] = {
        {"Всего устройств: %1", int(in.Devices.size())}, {"всего кранов: %1", cranes},
        {"потребителей: %1", consumers},                 {"всего задвижек: %1", gates},
        {"закрытых задвижек: %1", closedGates},          {"всего насосов: %1", pumps},
        {"всего гидроредукторов: %1", reducers},         {"всего резеруаров(БРС): %1", tanks}};
    double gap = 0.5;
    for (const auto& [text, count] : counts) {
        lines.push_back({QString::fromUtf8(text).arg(count), {}, arial10, gap});
        gap = 0.1;
    }
    return lines;
}

TReportContent DevicesReport::Build(const TDevicesReportInputs& in)
{
    TReportContent content;
    content.PageNumbers = in.PageNumbers;
    if (in.TitlePage)
        content.TitlePage = TitlePage(in);
    if (!in.Devices.empty())
        content.Tables.push_back(Table(in.Devices, in.Kinds, in.KindCode));
    return content;
}
