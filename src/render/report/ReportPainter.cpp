#include "render/report/ReportPainter.h"

#include "render/report/ReportFonts.h"

#include <QBuffer>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>

namespace {

int AlignFlags(TReportAlign align)
{
    switch (align) {
    case TReportAlign::Right:
        return Qt::AlignRight;
    case TReportAlign::Center:
        return Qt::AlignHCenter;
    case TReportAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

}  // namespace

QSizeF ReportPainter::PaperOf(const QPagedPaintDevice& device)
{
    const QRectF points = device.pageLayout().fullRectPoints();
    return points.size() * ReportUnits::kPerPoint;
}

void ReportPainter::PaintPage(QPainter& painter, const TReportPage& page, double dpi)
{
    painter.save();
    painter.scale(dpi / ReportUnits::kPerInch, dpi / ReportUnits::kPerInch);
    QPen pen(Qt::black);
    pen.setWidthF(0.02 * ReportUnits::kPerCm);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const TReportItem& item : page.Items) {
        switch (item.What) {
        case TReportItem::Text: {
            painter.setFont(ReportFont(item.Font));
            if (item.Wrap) {
                painter.save();
                painter.setClipRect(item.Box, Qt::IntersectClip);
                QTextOption option(Qt::Alignment(AlignFlags(item.Align) | Qt::AlignTop));
                option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
                painter.drawText(item.Box, item.String, option);
                painter.restore();
            } else {
                painter.drawText(item.Box, AlignFlags(item.Align) | Qt::AlignTop | Qt::TextDontClip, item.String);
            }
            break;
        }
        case TReportItem::Frame:
            painter.drawRect(item.Box);
            break;
        case TReportItem::Rule:
            painter.drawLine(item.Box.topLeft(), item.Box.topRight());
            break;
        case TReportItem::Square:
            painter.fillRect(item.Box, Qt::black);
            break;
        }
    }
    painter.restore();
}

bool ReportPainter::Paint(QPainter& painter, QPagedPaintDevice& device, const std::vector<TReportPage>& pages,
                          int copies, const std::function<void()>& betweenPages)
{
    if (pages.empty())
        return false;
    const double dpi = device.logicalDpiX();
    bool first = true;
    for (int copy = 0; copy < std::max(1, copies); ++copy)
        for (const TReportPage& page : pages) {
            if (!first && !device.newPage())
                return false;
            first = false;
            PaintPage(painter, page, dpi);
            if (betweenPages)
                betweenPages();
        }
    return true;
}

QByteArray ReportPainter::Pdf(const std::vector<TReportPage>& pages, const QPageSize& paper,
                              QPageLayout::Orientation orientation, int copies)
{
    if (pages.empty())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(paper, orientation, QMarginsF(0, 0, 0, 0)));
        writer.setCreator(QStringLiteral("Ирвата"));
        QPainter painter(&writer);
        Paint(painter, writer, pages, copies);
    }
    return bytes;
}
