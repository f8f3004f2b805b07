#include "ui/document/ResultsModels.h"

#include "core/exchange/ResultsText.h"
#include "core/hydraulics/HydroResults.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/tables/TableCells.h"
#include "core/tables/TableColumns.h"
#include "render/schema2d/SymbolShapes.h"
#include "ui/document/TableLook.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace {

// The symbol colours of the table: blue when the device's state flag is set, red otherwise.
constexpr quint32 kStateSet = 0xFF5000;
constexpr quint32 kStateClear = 0x0000FF;

bool StateFlag(const TDevice& device)
{
    switch (device.GetKind()) {
    case dkPump: return static_cast<const TPump&>(device).Off();
    case dkReducer: return static_cast<const TReducer&>(device).Off();
    case dkGate: return static_cast<const TGate&>(device).Closed();
    case dkCrane: return static_cast<const TCrane&>(device).Consumption();
    default: return false;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------

namespace ResultsRows {

const TDevice* EndDevice(const THydroBranch& row, int endCode)
{
    const TPipePart* s = row.Section;
    const TPipe* pipe = s ? s->OwnerPipeOf() : nullptr;
    if (!pipe)
        return nullptr;
    const TDevice* own = s->OwnerDevice();
    if (endCode != 2) {
        if (own)
            return own;
        // A device right at the pipe's start stands at the start of its first section.
        if (pipe->Devices.Count() > 0 && pipe->Devices.First()->Position() == pipe->StartFrac())
            return pipe->Devices.First();
        return nullptr;
    }
    if (!own)
        return pipe->Devices.Count() > 0 ? pipe->Devices.First() : nullptr;
    const int i = pipe->Devices.IndexOf(const_cast<TDevice*>(own));
    return i >= 0 && i + 1 < pipe->Devices.Count() ? pipe->Devices.Items(i + 1) : nullptr;
}

}  // namespace ResultsRows

// ---------------------------------------------------------------------------------------

TResultSectionsModel::TResultSectionsModel(TColumnSet* columns, const TTableLook* look, QObject* parent)
    : TDescriptorColumnsModel(columns, parent), look_(look)
{
}

void TResultSectionsModel::SetResults(const THydroResults* results)
{
    beginResetModel();
    results_ = results;
    endResetModel();
}

bool TResultSectionsModel::HasRows() const
{
    return results_ && !results_->Sections.empty();
}

const THydroBranch* TResultSectionsModel::RowAt(int row) const
{
    if (!HasRows() || row < 0 || row >= static_cast<int>(results_->Sections.size()))
        return nullptr;
    return &results_->Sections[static_cast<size_t>(row)];
}

int TResultSectionsModel::Param(int column) const
{
    return column >= 0 && column < columns_->Count() ? columns_->At(column).Def.Param : -1;
}

int TResultSectionsModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return HasRows() ? static_cast<int>(results_->Sections.size()) : 1;
}

QVariant TResultSectionsModel::data(const QModelIndex& index, int role) const
{
    const THydroBranch* row = RowAt(index.row());
    if (!row || index.column() >= columns_->Count())
        return QVariant();
    const TColumnDef& def = columns_->At(index.column()).Def;
    switch (role) {
    case Qt::DisplayRole:
        return ResultsText::CellText(*row, def.Param, def.Decimals);
    case Qt::TextAlignmentRole: {
        const bool left = def.Param <= hbpNumE || def.Param == hbpRemark;
        return int((left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    }
    default:
        return QVariant();
    }
}

QVariant TResultSectionsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    if (section < 0 || section >= columns_->Count())
        return QVariant();
    const TColumnDef& def = columns_->At(section).Def;
    switch (role) {
    case Qt::DisplayRole:
        return look_->HeadingText(def);
    case Qt::ToolTipRole:
        return def.LongTitle;
    case Qt::FontRole:
        return look_->Font();
    default:
        return QVariant();
    }
}

void TResultSectionsModel::Reload()
{
    beginResetModel();
    endResetModel();
}

// ---------------------------------------------------------------------------------------

TResultSectionsDelegate::TResultSectionsDelegate(const TResultSectionsModel* model, const TTableLook* look,
                                                 QObject* parent)
    : QStyledItemDelegate(parent), model_(model), look_(look)
{
}

void TResultSectionsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    const THydroBranch* row = model_->RowAt(index.row());
    if (!row) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const QModelIndex current = view ? view->currentIndex() : QModelIndex();
    TTableLook::TStyleKind kind = TTableLook::DataStyle;
    if (current == index) {
        kind = TTableLook::CurrentStyle;
    } else if (current.isValid()) {
        const THydroBranch* cur = model_->RowAt(current.row());
        if (cur && cur->Branch == row->Branch)
            kind = TTableLook::SelectedStyle;
    }
    const QRect r = option.rect;
    painter->save();
    painter->fillRect(r, look_->StyleBack(kind));
    painter->setPen(option.palette.color(QPalette::Mid));
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->drawLine(r.topRight(), r.bottomRight());

    QRect textRect = r.adjusted(2, 0, -2, 0);
    const int param = model_->Param(index.column());
    if (param == hbpNumS || param == hbpNumE) {
        if (const TDevice* device = ResultsRows::EndDevice(*row, param == hbpNumS ? 1 : 2)) {
            const TSymbolShape shape = SymbolOf(*device);
            const QRectF bounds = SymbolBounds(shape);
            const double unit = std::clamp((r.height() - 4) / std::max({bounds.width(), bounds.height(), 1.0}), 0.6, 1.0);
            TSymbolStyle style;
            const bool flagged = StateFlag(*device);
            style.Fill = TTableLook::ToQColor(flagged ? kStateSet : kStateClear);
            style.Outline = style.Fill;
            painter->setRenderHint(QPainter::Antialiasing, true);
            DrawSymbol(*painter, shape, QPointF(r.right() - 10, r.center().y() + 0.5), unit, 0, style);
            painter->setRenderHint(QPainter::Antialiasing, false);
            textRect.setRight(r.right() - 20);
        }
    }
    painter->setFont(look_->StyleFont(kind));
    painter->setPen(look_->StyleText(kind));
    const auto align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    painter->drawText(textRect, int(align | Qt::TextSingleLine), index.data(Qt::DisplayRole).toString());
    if (current == index && view && view->hasFocus()) {
        painter->setPen(QPen(look_->StyleText(kind), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(1, 1, -2, -2));
    }
    painter->restore();
}

// ---------------------------------------------------------------------------------------

TFixedHeadingsModel::TFixedHeadingsModel(QStringList headings, std::vector<int> widths, QObject* parent)
    : QAbstractTableModel(parent), headings_(std::move(headings)), widths_(std::move(widths))
{
}

void TFixedHeadingsModel::SetRows(std::vector<QStringList> rows, bool present)
{
    beginResetModel();
    rows_ = std::move(rows);
    present_ = present;
    endResetModel();
}

int TFixedHeadingsModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return rows_.empty() ? 1 : static_cast<int>(rows_.size());
}

int TFixedHeadingsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant TFixedHeadingsModel::data(const QModelIndex& index, int role) const
{
    if (rows_.empty()) {
        // No list: the empty row in the fixed colour.
        if (role == Qt::BackgroundRole && !present_)
            return QApplication::palette().color(QPalette::Button);
        return QVariant();
    }
    const QStringList& row = rows_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() < row.size() ? row.at(index.column()) : QString();
    case Qt::TextAlignmentRole:
        return int((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant TFixedHeadingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    if (role != Qt::DisplayRole || section < 0 || section >= headings_.size())
        return QVariant();
    QString text = headings_.at(section);
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
