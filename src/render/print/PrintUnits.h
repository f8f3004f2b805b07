#pragma once

// Lengths on paper: centimetres to device pixels as the printer's resolution gives them.

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cmath>

struct TPaperUnits {
    // Pixels a centimetre: round(dots per inch / 2.54), each axis on its own.
    double X = 38;
    double Y = 38;
    double Dpi = 96;
    // Black and white: fonts without grey edges.
    bool Sharp = false;

    static TPaperUnits ForDpi(double dpiX, double dpiY)
    {
        return TPaperUnits{std::round(dpiX / 2.54), std::round(dpiY / 2.54), dpiY};
    }
    QPointF Point(double xCm, double yCm) const { return QPointF(xCm * X, yCm * Y); }
    QRectF Rect(const QRectF& cm) const { return QRectF(cm.x() * X, cm.y() * Y, cm.width() * X, cm.height() * Y); }
    // A font of the size in points, in pixels of the device.
    QFont Font(const QString& family, double points, bool bold = false) const
    {
        QFont font(family);
        font.setPixelSize(std::max(1, int(std::lround(points * Dpi / 72.0))));
        font.setBold(bold);
        if (Sharp)
            font.setStyleStrategy(QFont::NoAntialias);
        return font;
    }
};
