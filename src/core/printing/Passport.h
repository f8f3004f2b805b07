#pragma once

// What a printed schema carries besides the drawing: the heading, the list of symbols, the
// two signatures and the drawing title block ("Шапка"). One passport and one symbol table
// serve every print of the run; they are not part of the network file.

#include <QString>
#include <QStringList>

#include <array>

// A text that is printed only when its flag is set.
struct TEnableString {
    bool Enabled = false;
    QString Text;
    bool operator==(const TEnableString&) const = default;
};

// The heading printed above the legend.
struct TMineName {
    QStringList Lines;
    bool PrintTitle = true;
    TEnableString Seam;
    QString Period;
    bool operator==(const TMineName&) const = default;
};

// The two signature lines.
struct TMineLabel {
    bool Enabled = true;
    QString ChiefEngineer;
    QString HeadOfSafety;
    bool operator==(const TMineLabel&) const = default;
};

// The title block: 56 cells in four tables (see TitleBlockLayout.h for where each one sits).
inline constexpr int kTitleBlockCells = 56;
struct TShapka {
    bool Enabled = true;
    std::array<QString, kTitleBlockCells> Cells;
    bool operator==(const TShapka&) const = default;
};

struct TPasport {
    TMineName Name;
    bool PrintLegend = true;
    TMineLabel Label;
    TShapka Shapka;
    bool operator==(const TPasport&) const = default;

    // Something is printed in the legend column at all.
    bool LegendColumnHasContent() const { return Name.PrintTitle || PrintLegend || Label.Enabled; }
};

// The legend's entries, in their fixed order.
enum TSymbolIndex : int {
    siFireNozzle = 0,
    siWaterCurtain = 1,
    siAutoExtinguisher = 2,
    siTechNeeds = 3,
    siGate = 4,
    siReducer = 5,
    siPump = 6,
    siJetBreakTank = 7,
    siFireEngine = 8,
    siSurfaceNode = 9,
    siDiameterColors = 10,
};
inline constexpr int kSymbolCount = 11;

// One legend entry. The drawing routine is the render layer's: it draws the entry by index.
struct TSymbol {
    QString Name;
    bool Print = true;
    int Tag = 0;
    bool operator==(const TSymbol&) const = default;
};

using TSymbolTable = std::array<TSymbol, kSymbolCount>;

// The eleven entries with their names, every one printed.
TSymbolTable DefaultSymbols();
void SetAllPrinted(TSymbolTable& symbols);

// The current symbol table and the working copy a legend dialog edits: changes reach the
// table only through Commit, so leaving the dialog with Cancel undoes them.
class TLegendSymbols {
public:
    TLegendSymbols() : current_(DefaultSymbols()), working_(current_) {}
    const TSymbolTable& Current() const { return current_; }
    TSymbolTable& CurrentForEdit() { return current_; }
    // Starts an edit: the working copy becomes the current table.
    TSymbolTable& BeginEdit();
    TSymbolTable& Working() { return working_; }
    void Commit() { current_ = working_; }

private:
    TSymbolTable current_;
    TSymbolTable working_;
};

// The passport and symbol table of the run: one for every print until the application ends.
struct TPrintingData {
    TPasport Passport;
    TLegendSymbols Legend;
};
TPrintingData& ApplicationPrintingData();
