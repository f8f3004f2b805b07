#include "core/settings/SettingsStore.h"
#include "ui/app/CommandTable.h"
#include "ui/app/ToolbarPlacement.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QToolBar>

namespace {

struct Frame {
    QMainWindow window;
    CommandActions actions{&window};
    std::vector<QToolBar*> bars = actions.BuildToolBars(&window);
    Frame()
    {
        window.resize(1000, 600);
        window.show();
        QApplication::processEvents();
    }
    void settle()
    {
        window.layout()->activate();
        QApplication::processEvents();
    }
};

}  // namespace

TEST(ToolbarPlacement, CapturedDefaultIsDockedVisibleAtTheTop)
{
    Frame f;
    const auto records = CaptureToolbarLayout(&f.window, f.bars);
    ASSERT_EQ(records.size(), 5u);
    for (const ToolbarRecord& r : records) {
        EXPECT_TRUE(r.Visible);
        EXPECT_EQ(r.Dock, ToolbarDock::Top);
        EXPECT_GE(r.Right, r.Left);
        EXPECT_TRUE(ToolbarRecord::Decode(r.Encode())) << "a captured record is always storable";
    }
    // One row, left to right in tag order.
    EXPECT_EQ(records[0].Top, records[4].Top);
    EXPECT_LT(records[0].Left, records[1].Left);
}

TEST(ToolbarPlacement, RecordsMoveBarsBetweenDocksAndRows)
{
    Frame f;
    auto records = DefaultToolbarLayout(5);
    records[1].Dock = ToolbarDock::Bottom;
    records[2].Visible = false;
    // Bars 3 and 4 on a second row, 4 before 3.
    records[3].Top = 40;
    records[3].Left = 300;
    records[4].Top = 40;
    records[4].Left = 10;
    ApplyToolbarLayout(&f.window, f.bars, records);
    f.settle();

    EXPECT_EQ(f.window.toolBarArea(f.bars[1]), Qt::BottomToolBarArea);
    EXPECT_EQ(f.window.toolBarArea(f.bars[0]), Qt::TopToolBarArea);
    EXPECT_TRUE(f.bars[2]->isHidden());
    EXPECT_GT(f.bars[3]->y(), f.bars[0]->y()) << "second row";
    EXPECT_EQ(f.bars[3]->y(), f.bars[4]->y());
    EXPECT_LT(f.bars[4]->x(), f.bars[3]->x());

    // What is captured now restores the same places.
    const auto captured = CaptureToolbarLayout(&f.window, f.bars);
    EXPECT_EQ(captured[1].Dock, ToolbarDock::Bottom);
    EXPECT_FALSE(captured[2].Visible);

    // Reset: every bar visible at the top, one row.
    ApplyToolbarLayout(&f.window, f.bars, DefaultToolbarLayout(5));
    f.settle();
    for (QToolBar* bar : f.bars) {
        EXPECT_EQ(f.window.toolBarArea(bar), Qt::TopToolBarArea);
        EXPECT_FALSE(bar->isHidden());
        EXPECT_EQ(bar->y(), f.bars[0]->y());
    }
}

TEST(ToolbarPlacement, StoredUnderTheToolbarNames)
{
    Frame f;
    SettingsStore store;
    auto records = CaptureToolbarLayout(&f.window, f.bars);
    records[4].Visible = false;
    ASSERT_TRUE(SaveToolbarLayout(store, f.bars, records));
    EXPECT_TRUE(store.valueExists(kInterfaceKey, QStringLiteral("MineBar")));
    EXPECT_EQ(LoadToolbarLayout(store, f.bars), records);

    store.writeBinary(kInterfaceKey, QStringLiteral("UzelBar"), QByteArray(5, '\0'));
    EXPECT_EQ(LoadToolbarLayout(store, f.bars), DefaultToolbarLayout(5));
}
