#pragma once

// The legend column of a printed schema: the heading, the list of symbols
// ("Условные обозначения") with the pressure scale when the schema is coloured by pressures,
// and the two signatures, 12 cm wide, laid out once for a device's resolution so its height
// is known before the sheets are laid out.

#include "core/printing/Passport.h"
#include "render/print/PrintUnits.h"

#include <QColor>
#include <QFont>
#include <QStringList>

#include <vector>

class QPainter;
class TMine;

struct TDiameterSwatch {
    int Millimetres = 0;
    QColor Colour;
};

class TLegendColumn {
public:
    TLegendColumn(const TPasport& passport, const TSymbolTable& symbols, std::vector<TDiameterSwatch> diameters,
                  const TPaperUnits& units, bool blackWhite = false, bool pressureScale = false);

    // The sum of the advances, device pixels and cm.
    double HeightPx() const { return height_; }
    double HeightCm() const { return height_ / units_.Y; }
    // Fills the column white and draws it with its top-left corner at topLeft.
    void Paint(QPainter& painter, QPointF topLeft) const;
    // The rows' texts, top to bottom (what a test reads).
    QStringList Texts() const;

    // The pipe diameters the mine uses, smallest first, with their drawing colours.
    static std::vector<TDiameterSwatch> DiametersOf(const TMine& mine);

private:
    struct Item {
        enum class Kind { Text, Symbol, Diameter, Pressure } What = Kind::Text;
        QString Text;
        QFont Font;
        double Top = 0;
        double Height = 0;
        int Symbol = 0;
        QColor Colour;
    };
    void AddText(const QString& text, const QFont& font);
    void AddGap(const QFont& font);
    void AddRow(Item::Kind kind, const QString& text, int symbol, QColor colour);

    TPaperUnits units_;
    bool blackWhite_ = false;
    std::vector<Item> items_;
    double height_ = 0;
};
