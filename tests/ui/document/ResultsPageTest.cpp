// The results page filled from the document's results table.

#include "DocumentTestSupport.h"

#include "core/exchange/ResultsText.h"
#include "core/model/PipePart.h"
#include "ui/document/ResultsModels.h"
#include "ui/document/ResultsPage.h"
#include "ui/document/TableLook.h"
#include "ui/support/Pictures.h"

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

TWaterPipePart* SectionOf(TBranch* b, int i) { return dynamic_cast<TWaterPipePart*>(b->FirePipe()->GetSection(i)); }

TBranch* BranchNo(TMine& mine, int number)
{
    for (int i = 0; i < mine.Branches.Count(); ++i)
        if (mine.Branches.Items(i)->Number() == number)
            return mine.Branches.Items(i);
    return nullptr;
}

class ResultsPage : public DocumentTest {
protected:
    // Branch 10 (1-2) with hydrants 101 (consuming) and 102 on its pipe, branch 20 (2-3) with a
    // closed gate 201 in its middle.
    std::unique_ptr<TChildForm> OpenMine()
    {
        auto form = NewForm();
        const QString path = WriteMine(QStringLiteral("results.irv"), [](MineBuilder& mb) {
            mb.uzel(1, 0);
            mb.uzel(2, 100);
            mb.uzel(3, 300);
            TBranch* b10 = mb.firePipe(10, 1, 2);
            mb.firePipe(20, 2, 3);
            mb.device<TCrane>(b10, dkCrane, 0.25, 101)->SetConsumption(true);
            mb.device<TCrane>(b10, dkCrane, 0.75, 102);
            mb.device<TGate>(mb.mine().Branches.Items(1), dkGate, 0.5, 201)->SetClosed(true);
        });
        EXPECT_TRUE(form->OpenFile(path));
        return form;
    }

    // Rows by hand: branch 20's sections first, then branch 10's three; plates at 140 and
    // 170 m, a shortage at 45 m.
    static std::unique_ptr<THydroResults> MakeResults(TMine& mine)
    {
        auto r = std::make_unique<THydroResults>();
        TBranch* b10 = BranchNo(mine, 10);
        TBranch* b20 = BranchNo(mine, 20);
        r->AddSection(b20, SectionOf(b20, 0), {12.5, 3, 1, 100, 95});
        r->AddSection(b20, SectionOf(b20, 1), {12.5, 3, 1, 95, 90});
        r->AddSection(b10, SectionOf(b10, 0), {-4.25, 2, 0.5, 180, 170});
        r->AddSection(b10, SectionOf(b10, 1), {3, 2, 0.5, 170, 140});
        r->AddSection(b10, SectionOf(b10, 2), {1, 2, 0.5, 140, 45});
        r->Reindex();
        auto* h101 = static_cast<TCrane*>(b10->FirePipe()->Devices.Items(0));
        auto* h102 = static_cast<TCrane*>(b10->FirePipe()->Devices.Items(1));
        h102->SetOrifice(true);
        h102->SetOrificeDiameter(38.5);
        r->Washers = {{h101, 170, 1}, {h102, 140, 2}};
        r->Lowers = {{h101, 45}};
        return r;
    }

    static QString Cell(QTableView* t, int row, int column) { return t->model()->index(row, column).data().toString(); }
};

TEST_F(ResultsPage, FilledTablesShowTheRowsTheirTextsAndCounts)
{
    auto form = OpenMine();
    TResultsPage* page = form->ResultsPage();
    EXPECT_EQ(page->WashersHeading()->text(), QStringLiteral(" Дроссельные шайбы"));
    form->SetHydroResults(MakeResults(*form->Mine()));

    EXPECT_EQ(page->WashersHeading()->text(), QStringLiteral(" Дроссельные шайбы (2 шт.)"));
    EXPECT_EQ(page->LowersHeading()->text(), QStringLiteral(" Недостаток давления (1 тчк.)"));
    QTableView* sections = page->HydroBranchGrid();
    ASSERT_EQ(sections->model()->rowCount(), 5);
    // Every cell is the export's text of its column, with the descriptor's decimals.
    const TColumnSet& columns = form->ResultColumns();
    const THydroResults& results = *form->HydroResults();
    for (int c = 0; c < columns.Count(); ++c)
        EXPECT_EQ(Cell(sections, 2, c),
                  ResultsText::CellText(results.Sections[2], columns.At(c).Def.Param, columns.At(c).Def.Decimals))
            << c;
    const int q = columns.IndexOfParam(hbpQ);
    EXPECT_EQ(Cell(sections, 2, q), QStringLiteral("-4.25"));
    EXPECT_EQ(Cell(sections, 0, columns.IndexOfParam(hbpNum)), QStringLiteral("20"));

    QTableView* washers = page->WashersGrid();
    ASSERT_EQ(washers->model()->rowCount(), 2);
    EXPECT_EQ(Cell(washers, 0, 0), QStringLiteral("101"));
    EXPECT_EQ(Cell(washers, 0, 1), QStringLiteral("170.0"));
    EXPECT_EQ(Cell(washers, 0, 2), QStringLiteral("20.0"));
    EXPECT_EQ(Cell(washers, 0, 3), QStringLiteral("1 - 42.00"));
    EXPECT_EQ(Cell(washers, 0, 4), QStringLiteral("48.0"));
    EXPECT_EQ(Cell(washers, 0, 5), QStringLiteral("122.0"));
    EXPECT_EQ(Cell(washers, 0, 6), QStringLiteral("-"));
    EXPECT_EQ(Cell(washers, 1, 2), QStringLiteral("0.0"));  // 140 m: no excess
    EXPECT_EQ(Cell(washers, 1, 6), QStringLiteral("38.5"));
    QTableView* lowers = page->LowersGrid();
    ASSERT_EQ(lowers->model()->rowCount(), 1);
    EXPECT_EQ(Cell(lowers, 0, 0), QStringLiteral("101"));
    EXPECT_EQ(Cell(lowers, 0, 1), QStringLiteral("45.0"));
    EXPECT_EQ(Cell(lowers, 0, 2), QStringLiteral("-15.0"));

    // A structural change drops the results: headings without counts, one empty row each.
    form->AddUzel();
    EXPECT_EQ(form->HydroResults(), nullptr);
    EXPECT_EQ(page->WashersHeading()->text(), QStringLiteral(" Дроссельные шайбы"));
    EXPECT_EQ(page->LowersHeading()->text(), QStringLiteral(" Недостаток давления"));
    for (QTableView* t : {sections, washers, lowers}) {
        EXPECT_EQ(t->model()->rowCount(), 1);
        EXPECT_FALSE(t->model()->index(0, 0).data().isValid());
    }
    EXPECT_FALSE(page->FocusedTableHasRows());
}

TEST_F(ResultsPage, EmptyListsShowAnEmptyRowWithTheirCounts)
{
    auto form = OpenMine();
    auto results = MakeResults(*form->Mine());
    results->Washers.clear();
    results->Lowers.clear();
    form->SetHydroResults(std::move(results));
    TResultsPage* page = form->ResultsPage();
    EXPECT_EQ(page->WashersHeading()->text(), QStringLiteral(" Дроссельные шайбы (0 шт.)"));
    EXPECT_EQ(page->WashersGrid()->model()->rowCount(), 1);
    EXPECT_FALSE(page->WashersGrid()->model()->index(0, 0).data().isValid());
}

TEST_F(ResultsPage, TheEndSymbolsAreTheDevicesAtTheSectionEnds)
{
    auto form = OpenMine();
    form->SetHydroResults(MakeResults(*form->Mine()));
    const THydroResults& r = *form->HydroResults();
    // Branch 20: node, gate | gate, node.
    EXPECT_EQ(ResultsRows::EndDevice(r.Sections[0], 1), nullptr);
    ASSERT_NE(ResultsRows::EndDevice(r.Sections[0], 2), nullptr);
    EXPECT_EQ(ResultsRows::EndDevice(r.Sections[0], 2)->Number(), 201);
    EXPECT_EQ(ResultsRows::EndDevice(r.Sections[1], 1)->Number(), 201);
    EXPECT_EQ(ResultsRows::EndDevice(r.Sections[1], 2), nullptr);
    // Branch 10's middle section runs from hydrant 101 to hydrant 102.
    EXPECT_EQ(ResultsRows::EndDevice(r.Sections[3], 1)->Number(), 101);
    EXPECT_EQ(ResultsRows::EndDevice(r.Sections[3], 2)->Number(), 102);
}

// The current row's branch becomes the current branch of the first page (the device panel
// follows that), by click and by keys; "Перейти на схему" goes to the section's device.
TEST_F(ResultsPage, TheCurrentSectionRowChoosesItsBranch)
{
    auto form = OpenMine();
    form->show();
    form->SetHydroResults(MakeResults(*form->Mine()));
    form->SetCurrentPage(1);
    TResultsPage* page = form->ResultsPage();
    QTableView* sections = page->HydroBranchGrid();
    QSignalSpy branchChanged(form.get(), &TChildForm::CurrentBranchChanged);
    const QRect third = sections->visualRect(sections->model()->index(2, 0));
    QTest::mouseClick(sections->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
    ASSERT_NE(form->CurrentBranch(), nullptr);
    EXPECT_EQ(form->CurrentBranch()->Number(), 10);
    EXPECT_GE(branchChanged.count(), 1);
    EXPECT_EQ(form->CurrentPage(), 1);  // the page stays

    QTest::keyClick(sections, Qt::Key_Up);
    EXPECT_EQ(form->CurrentBranch()->Number(), 20);
    ASSERT_NE(page->CurrentObject(), nullptr);
    EXPECT_EQ(page->CurrentObject(), SectionOf(BranchNo(*form->Mine(), 20), 1)->OwnerDevice());

    QSignalSpy gotoSchema(form.get(), &TChildForm::GotoSchemaRequested);
    QAction* show = sections->actions().value(0);
    ASSERT_NE(show, nullptr);
    EXPECT_TRUE(show->isEnabled());
    show->trigger();
    ASSERT_EQ(gotoSchema.count(), 1);
    // A section with no device at its start goes to its branch.
    QTest::keyClick(sections, Qt::Key_Up);
    EXPECT_EQ(page->CurrentObject(), BranchNo(*form->Mine(), 20));
    // The hydrant of a plate row.
    page->WashersGrid()->setFocus();
    QTest::mouseClick(page->WashersGrid()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      page->WashersGrid()->visualRect(page->WashersGrid()->model()->index(1, 0)).center());
    ASSERT_NE(page->CurrentObject(), nullptr);
    EXPECT_EQ(static_cast<TDevice*>(page->CurrentObject())->Number(), 102);
}

// The look of the filled page: the current cell, the rows of its branch and the others in
// their styles, symbols at the section ends. Saved for a person to open.
TEST_F(ResultsPage, FilledPagePicture)
{
    auto form = OpenMine();
    form->resize(1100, 420);
    form->show();
    form->SetHydroResults(MakeResults(*form->Mine()));
    form->SetCurrentPage(1);
    QTableView* sections = form->ResultsPage()->HydroBranchGrid();
    sections->setFocus();
    const int q = form->ResultColumns().IndexOfParam(hbpQ);
    sections->setCurrentIndex(sections->model()->index(2, q));
    QCoreApplication::processEvents();
    const QImage picture = Pictures::Take(form.get(), QStringLiteral("results-page-filled"));
    ASSERT_FALSE(picture.isNull());
    const TTableLook look(config);
    const auto colourAt = [&](int row, int column) {
        const QRect cell = sections->visualRect(sections->model()->index(row, column));
        const QPoint at = sections->viewport()->mapTo(form.get(), QPoint(cell.left() + 3, cell.top() + 2));
        const qreal ratio = picture.devicePixelRatio();
        return picture.pixelColor(int(at.x() * ratio), int(at.y() * ratio));
    };
    EXPECT_EQ(colourAt(2, q), look.StyleBack(TTableLook::CurrentStyle));
    EXPECT_EQ(colourAt(3, q), look.StyleBack(TTableLook::SelectedStyle));  // branch 10 too
    EXPECT_EQ(colourAt(0, q), look.StyleBack(TTableLook::DataStyle));      // branch 20
    // Column 2 of the first row ends at the closed gate: a blue symbol near its right edge.
    const int endColumn = form->ResultColumns().IndexOfParam(hbpNumE);
    const QRect cell = sections->visualRect(sections->model()->index(0, endColumn));
    const QRect area(sections->viewport()->mapTo(form.get(), cell.topLeft()), cell.size());
    const QRect symbol(area.right() - 16, area.top(), 14, area.height());
    EXPECT_GT(Pictures::InkPixels(picture, symbol), 4);
}

}  // namespace
