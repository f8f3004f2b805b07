#pragma once

#include "core/file/DocumentSettings.h"

#include <QString>
#include <vector>

// The three column tables of a document window: nodes, branches and the pipeline sections
// of the results page.
enum class TTableKind { Uzels, Branches, Results };

enum TColumnAlign : int { caLeft = 0, caRight = 2 };

// What a column shows: fixed per column type.
struct TColumnDef {
    int Param = 0;
    QString LongTitle;  // hint and print heading
    QString Heading;    // the grid heading
    QString Unit;       // second heading line, shown when units are on ("\r\n[м]")
    int Decimals = 0;
    int Align = caLeft;
    bool Editable = false;  // can ever be edited (some only while the fire pipe is laid)
};

// One column as the document keeps it: its definition plus the user's layout. The column
// order of a table is the order of its descriptors.
struct TColumnDescriptor {
    TColumnDef Def;
    int Width = 64;
    bool Visible = true;
};

namespace TableColumns {
// Definitions in column-type order.
const std::vector<TColumnDef>& Defs(TTableKind kind);
int Count(TTableKind kind);
// Width of the comment columns, in pixels.
inline constexpr int kRemarkWidth = 200;
inline constexpr int kMaxWidth = 4000;
}  // namespace TableColumns

// The ordered column descriptors of one table.
class TColumnSet {
public:
    explicit TColumnSet(TTableKind kind);

    TTableKind Kind() const { return kind_; }
    int Count() const { return static_cast<int>(cols_.size()); }
    const TColumnDescriptor& At(int index) const { return cols_.at(static_cast<size_t>(index)); }
    TColumnDescriptor& At(int index) { return cols_.at(static_cast<size_t>(index)); }
    int IndexOfParam(int param) const;
    int ParamAt(int index) const { return At(index).Def.Param; }

    // Moves the descriptor at from to position to; false when either is out of range or
    // they are equal.
    bool Move(int from, int to);

    // Takes order, widths and visibility from stored records. Unknown or repeated column
    // types are skipped and missing ones keep their place after the stored ones, so any
    // record list gives a complete table.
    void ApplyLayout(const std::vector<TColumnLayout>& layout);
    std::vector<TColumnLayout> Layout() const;

private:
    TTableKind kind_;
    std::vector<TColumnDescriptor> cols_;
};
