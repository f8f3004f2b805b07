#pragma once

#include "render/report/ReportContent.h"

#include <QString>
#include <vector>

class TDevice;
class TMine;

// The devices table report: what the all-devices table lists, with its filters.
struct TDevicesReportOptions {
    enum TRows { Full = 0, Selected = 1 };
    int Rows = Full;
    bool TitlePage = true;
    bool PageNumbers = true;
    int Copies = 1;
};

struct TDevicesReportInputs {
    const TMine* Mine = nullptr;
    std::vector<const TDevice*> Devices;  // the listed devices, in table order
    // The filters in effect, as the all-devices table names them.
    QString Layer = QStringLiteral("все");
    QString Pipe = QStringLiteral("Пожарно-оросительный");
    QString Kinds = QStringLiteral("все оборудование");
    int KindCode = 0;  // the kind the table shows: its columns
    bool TitlePage = true;
    bool PageNumbers = true;
};

namespace DevicesReport {

// The listed devices, or the selected ones among them.
std::vector<const TDevice*> Choose(const std::vector<const TDevice*>& listed, int rows);
// Every device of the mine's fire-fighting pipes, branch by branch in mine order.
std::vector<const TDevice*> FirePipeDevices(const TMine& mine);

// "Таблица устройств (%s)": the all-devices table's columns for the kind (for every kind: the
// row number, the device number, its kind and its branch).
TReportTable Table(const std::vector<const TDevice*>& devices, const QString& kinds, int kindCode = 0);
std::vector<TTitleLine> TitlePage(const TDevicesReportInputs& inputs);
TReportContent Build(const TDevicesReportInputs& inputs);

}  // namespace DevicesReport
