#include "render/print/LegendColumn.h"

#include "core/model/DiamColor.h"
#include "core/model/Mine.h"
#include "core/printing/SheetLayout.h"
#include "render/schema2d/PressureColouring.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/SymbolShapes.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace {

const QString kFamily = QStringLiteral("Arial");
constexpr double kTextLeftCm = 1.5;
constexpr double kTableWidthCm = 7;
constexpr double kRowCm = 1;
constexpr double kNameLeftCm = 3;
constexpr double kDiameterTextLeftCm = 3.5;

constexpr TSymbolShape kShapes[] = {
    TSymbolShape::FireNozzle, TSymbolShape::WaterCurtain, TSymbolShape::AutoExtinguisher, TSymbolShape::TechNeeds,
    TSymbolShape::Gate,       TSymbolShape::Reducer,      TSymbolShape::Pump,             TSymbolShape::JetBreakTank,
    TSymbolShape::FireEngine, TSymbolShape::SurfaceNode,
};

}  // namespace

TLegendColumn::TLegendColumn(const TPasport& passport, const TSymbolTable& symbols,
                             std::vector<TDiameterSwatch> diameters, const TPaperUnits& units, bool blackWhite,
                             bool pressureScale)
    : units_(units), blackWhite_(blackWhite)
{
    units_.Sharp = units_.Sharp || blackWhite;
    const TMineName& name = passport.Name;
    if (name.PrintTitle) {
        const QFont regular = units_.Font(kFamily, 16);
        const QFont heading = units_.Font(kFamily, 24, true);
        for (const QString& line : name.Lines)
            AddText(line, regular);
        AddGap(regular);
        for (const char* line : {"СХЕМА", "ПРОТИВОПОЖАРНОГО", "ТРУБОПРОВОДА"})
            AddText(QString::fromUtf8(line), heading);
        if (name.Seam.Enabled)
            AddText(QStringLiteral("Пласт ") + name.Seam.Text, regular);
        if (!name.Period.isEmpty()) {
            AddText(QStringLiteral("К плану ликвидации аварии"), regular);
            AddText(name.Period, regular);
        }
    }
    if (passport.PrintLegend) {
        QFont caption = units_.Font(kFamily, 11);
        AddGap(caption);
        caption.setUnderline(true);
        AddText(QStringLiteral("Условные обозначения"), caption);
        for (int i = 0; i < kSymbolCount; ++i) {
            const TSymbol& symbol = symbols[size_t(i)];
            if (!symbol.Print)
                continue;
            if (i != siDiameterColors) {
                AddRow(Item::Kind::Symbol, symbol.Name, i, QColor());
                continue;
            }
            std::sort(diameters.begin(), diameters.end(),
                      [](const TDiameterSwatch& a, const TDiameterSwatch& b) { return a.Millimetres < b.Millimetres; });
            for (const TDiameterSwatch& d : diameters)
                AddRow(Item::Kind::Diameter, QStringLiteral("%1 мм").arg(d.Millimetres), i, d.Colour);
        }
        // The colours of the pipe by pressures, one row a class of the fixed scale.
        if (pressureScale) {
            AddText(PressureColouring::Heading(), units_.Font(kFamily, 10));
            for (int c = 0; c < kPressureClasses; ++c)
                AddRow(Item::Kind::Pressure, PressureColouring::Caption(TPressureClass(c)), c,
                       PressureColouring::Color(TPressureClass(c)));
        }
    }
    if (passport.Label.Enabled) {
        const QFont font = units_.Font(kFamily, 12);
        AddGap(font);
        AddText(QStringLiteral("Главный инженер:   ") + passport.Label.ChiefEngineer, font);
        height_ += QFontMetricsF(font).height() * 0.2;
        AddText(QStringLiteral("Начальник ВТБ:   ") + passport.Label.HeadOfSafety, font);
    }
}

void TLegendColumn::AddText(const QString& text, const QFont& font)
{
    Item item;
    item.Text = text;
    item.Font = font;
    item.Top = height_;
    item.Height = QFontMetricsF(font).height();
    height_ += item.Height;
    items_.push_back(std::move(item));
}

void TLegendColumn::AddGap(const QFont& font)
{
    height_ += QFontMetricsF(font).height();
}

void TLegendColumn::AddRow(Item::Kind kind, const QString& text, int symbol, QColor colour)
{
    Item item;
    item.What = kind;
    item.Text = text;
    item.Font = units_.Font(kFamily, 10);
    item.Top = height_;
    item.Height = kRowCm * units_.Y;
    item.Symbol = symbol;
    item.Colour = colour;
    height_ += item.Height;
    items_.push_back(std::move(item));
}

void TLegendColumn::Paint(QPainter& painter, QPointF topLeft) const
{
    painter.save();
    painter.translate(topLeft);
    painter.fillRect(QRectF(0, 0, kLegendWidthCm * units_.X, height_), Qt::white);
    const QPen grid(Qt::black, std::max(1.0, units_.Y * 0.02));
    const double left = kTextLeftCm * units_.X;
    const double cell = kRowCm * units_.X;
    for (const Item& item : items_) {
        painter.setFont(item.Font);
        painter.setPen(Qt::black);
        if (item.What == Item::Kind::Text) {
            painter.drawText(QRectF(left, item.Top, kLegendWidthCm * units_.X - left, item.Height),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, item.Text);
            continue;
        }
        const QRectF symbolCell(left, item.Top, cell, item.Height);
        const QRectF nameCell(left + cell, item.Top, (kTableWidthCm - kRowCm) * units_.X, item.Height);
        if (item.What == Item::Kind::Symbol) {
            TSymbolStyle style;
            style.BlackWhite = blackWhite_;
            style.PenWidth = std::max(1.0, units_.Y * 0.02);
            if (item.Symbol < int(std::size(kShapes))) {
                const TSymbolShape shape = kShapes[item.Symbol];
                const QRectF bounds = SymbolBounds(shape);
                // The shape fills about two thirds of its cell.
                const double unit = 0.66 * cell / std::max({bounds.width(), bounds.height(), 1.0});
                painter.save();
                painter.setRenderHint(QPainter::Antialiasing, !blackWhite_);
                DrawSymbol(painter, shape, symbolCell.center(), unit, 0, style);
                painter.restore();
            }
        } else if (item.What == Item::Kind::Diameter) {
            const QRectF swatch = symbolCell.adjusted(0.2 * units_.X, 0.35 * units_.Y, -0.2 * units_.X, -0.35 * units_.Y);
            painter.fillRect(swatch, blackWhite_ ? QColor(Qt::black) : item.Colour);
        } else {
            // A piece of band as the schema draws it: the class's colour, or in black and
            // white its hatching with the thin line's dashes through it.
            const TPressureClass c = TPressureClass(item.Symbol);
            const QRectF swatch = symbolCell.adjusted(0.15 * units_.X, 0.3 * units_.Y, -0.15 * units_.X, -0.3 * units_.Y);
            const double pen = std::max(1.0, units_.Y * 0.02);
            painter.save();
            painter.setPen(QPen(Qt::black, pen));
            painter.setBrush(blackWhite_ ? QColor(Qt::white) : item.Colour);
            painter.drawRect(swatch);
            if (blackWhite_) {
                if (PressureColouring::Hatch(c) != Qt::NoBrush) {
                    // Hatching a little coarser than the device's pixels, so it reads on paper.
                    QBrush hatch(Qt::black, PressureColouring::Hatch(c));
                    const double k = std::max(1.0, units_.X / 60);
                    hatch.setTransform(QTransform::fromScale(k, k));
                    painter.setRenderHint(QPainter::NonCosmeticBrushPatterns);
                    painter.fillRect(swatch, hatch);
                }
                painter.setPen(QPen(Qt::black, 2 * pen, PressureColouring::Dashes(c), Qt::FlatCap));
                painter.drawLine(QPointF(swatch.left(), swatch.center().y()), QPointF(swatch.right(), swatch.center().y()));
            }
            painter.restore();
        }
        painter.setPen(grid);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(symbolCell);
        painter.drawRect(nameCell);
        painter.setPen(Qt::black);
        const double textLeft = (item.What == Item::Kind::Diameter ? kDiameterTextLeftCm : kNameLeftCm) * units_.X;
        painter.drawText(QRectF(textLeft, item.Top, nameCell.right() - textLeft, item.Height),
                         Qt::AlignLeft | Qt::AlignVCenter, item.Text);
    }
    painter.restore();
}

QStringList TLegendColumn::Texts() const
{
    QStringList out;
    for (const Item& item : items_)
        out << item.Text;
    return out;
}

std::vector<TDiameterSwatch> TLegendColumn::DiametersOf(const TMine& mine)
{
    std::vector<TDiameterSwatch> out;
    const TDiamColorController& colours = mine.DiamColors;
    for (int i = 0; i < colours.Count(); ++i) {
        const auto entry = colours.GetEntry(i, false);
        if (entry.count > 0 && entry.diameter > 0)
            out.push_back({entry.diameter, ProfileColor(TColor(entry.color))});
    }
    return out;
}
