#include "core/tables/TableColumns.h"

#include <algorithm>

namespace TableColumns {

const std::vector<TColumnDef>& Defs(TTableKind kind)
{
    // The seam and plan-position columns only show names: seams and positions are given
    // to branches through the boxes of the main window, so the cells are read-only.
    static const std::vector<TColumnDef> uzels = {
        {0, QStringLiteral("Номер сопряжения"), QStringLiteral("Узел"), QString(), 0, caLeft, true},
        {1, QStringLiteral("Координата X"), QStringLiteral("Х"), QStringLiteral("\r\n[м]"), 1, caRight, true},
        {2, QStringLiteral("Координата Y"), QStringLiteral("Y"), QStringLiteral("\r\n[м]"), 1, caRight, true},
        {3, QStringLiteral("Координата Z"), QStringLiteral("Z"), QStringLiteral("\r\n[м]"), 1, caRight, true},
    };
    static const std::vector<TColumnDef> branches = {
        {0, QStringLiteral("Номер выработки"), QStringLiteral("Ветвь"), QString(), 0, caLeft, true},
        {1, QStringLiteral("Номер начального сопряжения"), QStringLiteral("Начал."), QStringLiteral("\r\nузел"), 0, caLeft, true},
        {2, QStringLiteral("Номер конечного сопряжения"), QStringLiteral("Конеч."), QStringLiteral("\r\nузел"), 0, caLeft, true},
        {3, QStringLiteral("Длина выработки"), QStringLiteral("Длина"), QStringLiteral("\r\n[м]"), 1, caLeft, false},
        {4, QStringLiteral("Угол наклона"), QStringLiteral("Угол"), QStringLiteral("\r\n[град]"), 1, caLeft, false},
        {5, QStringLiteral("Комментарий"), QStringLiteral("Комментарий"), QString(), 0, caLeft, true},
        {6, QStringLiteral("Расход воздуха"), QStringLiteral("Q"), QStringLiteral("\r\n[м3/с]"), 1, caRight, true},
        {7, QStringLiteral("Диаметр п/о трубопровода"), QStringLiteral("D трубы"), QStringLiteral("\r\n[мм]"), 0, caRight, true},
        {8, QStringLiteral("Толщина стенок п/о труб."), QStringLiteral("Стенки"), QStringLiteral("\r\n[мм]"), 0, caRight, true},
        {9, QStringLiteral("Расстояние от начального узла"), QStringLiteral("От нач.у."), QStringLiteral("\r\n[м]"), 1, caRight, true},
        {10, QStringLiteral("Расстояние от конечного узла"), QStringLiteral("От кон.у."), QStringLiteral("\r\n[м]"), 1, caRight, true},
        {11, QStringLiteral("Коэф. местных сопротивлений"), QStringLiteral("Коэф. R"), QString(), 2, caRight, true},
        {12, QStringLiteral("Позиция ПЛА"), QStringLiteral("Позиция"), QStringLiteral("\r\nПЛА"), 0, caLeft, false},
        {13, QStringLiteral("Пласт"), QStringLiteral("Пласт"), QString(), 0, caLeft, false},
    };
    static const std::vector<TColumnDef> results = {
        {0, QStringLiteral("Номер выработки"), QStringLiteral("Ветвь"), QString(), 0, caLeft, false},
        {1, QStringLiteral("Номер начального узла"), QStringLiteral("Начал."), QStringLiteral("\r\nузел"), 0, caLeft, false},
        {2, QStringLiteral("Номер конечного узла"), QStringLiteral("Конеч."), QStringLiteral("\r\nузел"), 0, caLeft, false},
        {3, QStringLiteral("Длина участка трубопровода"), QStringLiteral("Длина"), QStringLiteral("\r\n[м]"), 1, caRight, false},
        {4, QStringLiteral("Коэф. местн. сопротивления (K)"), QStringLiteral("K"), QString(), 2, caRight, false},
        {5, QStringLiteral("Длина участка * K"), QStringLiteral("Длина*K"), QStringLiteral("\r\n[м]"), 1, caRight, false},
        {6, QStringLiteral("Угол наклона"), QStringLiteral("Угол"), QStringLiteral("\r\n[град]"), 1, caRight, false},
        {7, QStringLiteral("Расход воды на участке (Q)"), QStringLiteral("Q"), QStringLiteral("\r\n[м3/ч]"), 2, caRight, false},
        {8, QStringLiteral("Скорость движения воды"), QStringLiteral("V"), QStringLiteral("\r\n[м/с]"), 1, caRight, false},
        {9, QStringLiteral("Диаметр трубы"), QStringLiteral("D"), QStringLiteral("\r\n[мм]"), 1, caRight, false},
        {10, QStringLiteral("Гидравлический уклон (100i)"), QStringLiteral("100i"), QStringLiteral("\r\n[м]"), 2, caRight, false},
        {11, QStringLiteral("Потери на участке (R)"), QStringLiteral("R"), QStringLiteral("\r\n[c2/м5]"), 2, caRight, false},
        {12, QStringLiteral("Разность высотных отметок"), QStringLiteral("dZ"), QStringLiteral("\r\n[м]"), 2, caRight, false},
        {13, QStringLiteral("Давление в начальном узле"), QStringLiteral("P н."), QStringLiteral("\r\n[м]"), 2, caRight, false},
        {14, QStringLiteral("Давление в конечном узле"), QStringLiteral("P к."), QStringLiteral("\r\n[м]"), 2, caRight, false},
        {15, QStringLiteral("Комментарий"), QStringLiteral("Комментарий"), QString(), 0, caLeft, false},
        {16, QStringLiteral("Потери напора"), QStringLiteral("Потери P"), QStringLiteral("\r\n[м]"), 2, caRight, false},
    };
    switch (kind) {
    case TTableKind::Uzels:
        return uzels;
    case TTableKind::Branches:
        return branches;
    case TTableKind::Results:
        break;
    }
    return results;
}

int Count(TTableKind kind)
{
    return static_cast<int>(Defs(kind).size());
}

}  // namespace TableColumns

namespace {
bool IsRemark(TTableKind kind, int param)
{
    return (kind == TTableKind::Branches && param == bpRemark) || (kind == TTableKind::Results && param == hbpRemark);
}
}  // namespace

TColumnSet::TColumnSet(TTableKind kind) : kind_(kind)
{
    for (const TColumnDef& def : TableColumns::Defs(kind)) {
        TColumnDescriptor d;
        d.Def = def;
        if (IsRemark(kind, def.Param))
            d.Width = TableColumns::kRemarkWidth;
        cols_.push_back(d);
    }
}

int TColumnSet::IndexOfParam(int param) const
{
    for (int i = 0; i < Count(); ++i)
        if (cols_[static_cast<size_t>(i)].Def.Param == param)
            return i;
    return -1;
}

bool TColumnSet::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return false;
    TColumnDescriptor d = cols_[static_cast<size_t>(from)];
    cols_.erase(cols_.begin() + from);
    cols_.insert(cols_.begin() + to, d);
    return true;
}

void TColumnSet::ApplyLayout(const std::vector<TColumnLayout>& layout)
{
    std::vector<TColumnDescriptor> out;
    std::vector<bool> taken(cols_.size(), false);
    for (const TColumnLayout& rec : layout) {
        const int i = IndexOfParam(rec.Param);
        if (i < 0 || taken[static_cast<size_t>(i)])
            continue;
        taken[static_cast<size_t>(i)] = true;
        TColumnDescriptor d = cols_[static_cast<size_t>(i)];
        d.Width = std::clamp(rec.Width, 0, TableColumns::kMaxWidth);
        d.Visible = rec.Visible;
        out.push_back(d);
    }
    for (size_t i = 0; i < cols_.size(); ++i)
        if (!taken[i])
            out.push_back(cols_[i]);
    cols_ = std::move(out);
}

std::vector<TColumnLayout> TColumnSet::Layout() const
{
    std::vector<TColumnLayout> out;
    out.reserve(cols_.size());
    for (const TColumnDescriptor& d : cols_)
        out.push_back({d.Def.Param, d.Width, d.Visible});
    return out;
}
