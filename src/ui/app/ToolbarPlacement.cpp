#include "ui/app/ToolbarPlacement.h"

#include "core/settings/SettingsStore.h"

#include <QMainWindow>
#include <QStringList>
#include <QToolBar>

#include <algorithm>

namespace {

// Toolbars whose tops differ by less than this share a row.
constexpr int kRowTolerance = 8;

qint32 clampCoordinate(qint64 v)
{
    return qint32(std::clamp<qint64>(v, -ToolbarRecord::kMaxCoordinate, ToolbarRecord::kMaxCoordinate));
}

QStringList namesOf(const std::vector<QToolBar*>& bars)
{
    QStringList names;
    for (const QToolBar* bar : bars)
        names << bar->objectName();
    return names;
}

}  // namespace

std::vector<ToolbarRecord> CaptureToolbarLayout(const QMainWindow* window, const std::vector<QToolBar*>& bars)
{
    std::vector<ToolbarRecord> records;
    for (const QToolBar* bar : bars) {
        ToolbarRecord r;
        r.Visible = !bar->isHidden();
        QRect bounds;
        if (bar->isFloating()) {
            r.Dock = ToolbarDock::Floating;
            bounds = bar->frameGeometry();
        } else {
            r.Dock = window->toolBarArea(bar) == Qt::BottomToolBarArea ? ToolbarDock::Bottom : ToolbarDock::Top;
            bounds = bar->geometry();
        }
        // Right and bottom lie just outside the bar, so an empty bar still has right >= left.
        r.Left = clampCoordinate(bounds.x());
        r.Top = clampCoordinate(bounds.y());
        r.Right = std::max(r.Left, clampCoordinate(qint64(bounds.x()) + std::max(bounds.width(), 0)));
        r.Bottom = std::max(r.Top, clampCoordinate(qint64(bounds.y()) + std::max(bounds.height(), 0)));
        records.push_back(r);
    }
    return records;
}

void ApplyToolbarLayout(QMainWindow* window, const std::vector<QToolBar*>& bars, const std::vector<ToolbarRecord>& records)
{
    const size_t count = std::min(bars.size(), records.size());
    struct Placed {
        size_t index;
        Qt::ToolBarArea area;
        qint32 top;
        qint32 left;
    };
    std::vector<Placed> order;
    for (size_t i = 0; i < count; ++i) {
        const ToolbarRecord& r = records[i];
        const Qt::ToolBarArea area = r.Dock == ToolbarDock::Bottom ? Qt::BottomToolBarArea : Qt::TopToolBarArea;
        // Floating bars go after every docked bar of the top dock, on a row of their own.
        const bool floating = r.Dock == ToolbarDock::Floating;
        order.push_back({i, area, floating ? ToolbarRecord::kMaxCoordinate : r.Top, r.Left});
    }
    std::stable_sort(order.begin(), order.end(), [](const Placed& a, const Placed& b) {
        if (a.area != b.area)
            return a.area < b.area;
        if (std::abs(qint64(a.top) - b.top) >= kRowTolerance)
            return a.top < b.top;
        return a.left < b.left;
    });

    // Taking every bar out also drops the rows they stood in.
    for (size_t i = 0; i < count; ++i)
        window->removeToolBar(bars[i]);

    const Placed* previous = nullptr;
    for (const Placed& p : order) {
        if (previous && previous->area == p.area && std::abs(qint64(p.top) - previous->top) >= kRowTolerance)
            window->addToolBarBreak(p.area);
        QToolBar* bar = bars[p.index];
        window->addToolBar(p.area, bar);
        bar->setVisible(records[p.index].Visible);
        previous = &p;
    }
}

std::vector<ToolbarRecord> LoadToolbarLayout(const SettingsStore& store, const std::vector<QToolBar*>& bars)
{
    return ReadToolbarLayout(store, namesOf(bars));
}

bool SaveToolbarLayout(SettingsStore& store, const std::vector<QToolBar*>& bars, const std::vector<ToolbarRecord>& records)
{
    return WriteToolbarLayout(store, namesOf(bars), records);
}
