#pragma once

#include "render/report/ReportContent.h"

#include <QFont>

// The font of a report text in layout units (pixel size = points × 10): the same metrics for
// laying out and for painting, whatever the device's resolution. Arial and Times New Roman
// are stood in for by the metric-compatible Liberation faces.
QFont ReportFont(const TReportFont& font);
