// The main window's commands on the results: sorting, going to the schema, the results export
// and the tables report.

#include "ui/document/DocumentTestSupport.h"

#include "core/exchange/ResultsText.h"
#include "core/file/Cp1251.h"
#include "core/model/PipePart.h"
#include "ui/app/MainForm.h"
#include "ui/document/ResultsPage.h"
#include "ui/report/PrintTablesForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QTableView>

namespace {

TWaterPipePart* SectionOf(TBranch* b) { return dynamic_cast<TWaterPipePart*>(b->FirePipe()->GetSection(0)); }

class ResultsCommands : public DocumentTest {
protected:
    // Branches 10, 20, 30, 40 of the line, their sections given flows 4, −2, 4, 1 and start
    // pressures 50, 80, 70, 60; hydrant 7 on branch 40 lacks pressure.
    TChildForm* OpenWithResults(TMainForm& main)
    {
        TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("line.irv"), [](MineBuilder& mb) {
            Line(mb);
            mb.device<TCrane>(mb.mine().Branches.Items(3), dkCrane, 0.5, 7);
        }));
        if (!doc)
            return nullptr;
        TMine& mine = *doc->Mine();
        auto r = std::make_unique<THydroResults>();
        const double q[] = {4, -2, 4, 1};
        const double p[] = {50, 80, 70, 60};
        for (int i = 0; i < 4; ++i) {
            TBranch* b = mine.Branches.Items(i);
            r->AddSection(b, SectionOf(b), {q[i], 1, 0.5, p[i], p[i] - 1});
        }
        r->Reindex();
        auto* hydrant = static_cast<TCrane*>(mine.Branches.Items(3)->FirePipe()->Devices.Items(0));
        r->Lowers = {{hydrant, 45}};
        r->Washers = {{hydrant, 170, 1}};
        doc->SetHydroResults(std::move(r));
        return doc;
    }

    static std::vector<int> BranchOrder(const TChildForm& doc)
    {
        std::vector<int> out;
        for (const THydroBranch& row : doc.HydroResults()->Sections)
            out.push_back(row.Branch->Number());
        return out;
    }
};

TEST_F(ResultsCommands, SortsAreEnabledWithResultsOnTheirPageAndReorderTheTables)
{
    TMainForm main(config);
    TChildForm* doc = OpenWithResults(main);
    ASSERT_NE(doc, nullptr);
    QAction* byQ = main.Action(QStringLiteral("actHBranchesByQ"));
    main.UpdateActions();
    EXPECT_FALSE(byQ->isEnabled());  // the first page
    doc->SetCurrentPage(1);
    main.UpdateActions();
    ASSERT_TRUE(byQ->isEnabled());
    EXPECT_TRUE(main.Action(QStringLiteral("actShowOnSchema"))->isEnabled());

    byQ->trigger();
    EXPECT_EQ(BranchOrder(*doc), (std::vector<int>{20, 40, 10, 30}));
    const int numColumn = doc->ResultColumns().IndexOfParam(hbpNum);
    QTableView* sections = doc->ResultsPage()->HydroBranchGrid();
    EXPECT_EQ(sections->model()->index(0, numColumn).data().toString(), QStringLiteral("20"));
    main.Action(QStringLiteral("actHBranchesByH1"))->trigger();
    EXPECT_EQ(BranchOrder(*doc), (std::vector<int>{10, 40, 30, 20}));
    main.Action(QStringLiteral("actHBranchesByNum"))->trigger();
    EXPECT_EQ(BranchOrder(*doc), (std::vector<int>{10, 20, 30, 40}));
    EXPECT_EQ(doc->HydroResults()->FirstRowOf(doc->Mine()->Branches.Items(3)), 3);
    main.Action(QStringLiteral("actLowerByP"))->trigger();
    main.Action(QStringLiteral("actWashersByFactD"))->trigger();
    EXPECT_EQ(doc->ResultsPage()->LowersGrid()->model()->index(0, 2).data().toString(), QStringLiteral("-15.0"));

    // Without results the sorts and "Перейти на схему" are off.
    doc->SetHydroResults(nullptr);
    main.UpdateActions();
    EXPECT_FALSE(byQ->isEnabled());
    EXPECT_FALSE(main.Action(QStringLiteral("actShowOnSchema"))->isEnabled());
}

TEST_F(ResultsCommands, ResultsExportWritesTheVisibleColumnsOfEveryRow)
{
    TMainForm main(config);
    TChildForm* doc = OpenWithResults(main);
    ASSERT_NE(doc, nullptr);
    ScriptedSaveDialog save;
    save.path = FilePath(QStringLiteral("results.txt"));
    main.Action(QStringLiteral("actExport"))->trigger();
    ASSERT_EQ(save.requests.size(), 1u);
    EXPECT_EQ(save.requests[0].Filters.size(), 2);  // the results filter is offered
    EXPECT_TRUE(messages.shown.empty()) << messages.LastText().toStdString();
    QFile file(save.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = fromCp1251(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("Q [м3/ч]")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("\t20\t"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(QStringLiteral("\t-2.00\t"))) << lines[2].toStdString();
}

TEST_F(ResultsCommands, TablesReportTakesTheResultsPlatesAndShortages)
{
    TMainForm main(config);
    TChildForm* doc = OpenWithResults(main);
    ASSERT_NE(doc, nullptr);
    {
        TPrintTablesForm form(*doc);
        EXPECT_TRUE(form.ResultGroup()->isEnabled());
        EXPECT_TRUE(form.WashersBox()->isEnabled());
        EXPECT_TRUE(form.LowersBox()->isEnabled());
        form.ResultChoice()->button(TTablesReportOptions::AllSections)->setChecked(true);
        form.WashersBox()->setChecked(true);
        form.LowersBox()->setChecked(true);
        const TReportContent content = form.BuildContent();
        QStringList titles;
        for (const TReportTable& t : content.Tables)
            titles << t.Title;
        EXPECT_TRUE(titles.contains(TablesReport::kResultsTitle)) << titles.join(u'|').toStdString();
        EXPECT_TRUE(titles.contains(TablesReport::kWashersTitle));
        EXPECT_TRUE(titles.contains(TablesReport::kLowersTitle));
        for (const TReportTable& t : content.Tables) {
            if (t.Title == TablesReport::kResultsTitle) {
                EXPECT_EQ(t.Rows.size(), 4u);
            }
            if (t.Title == TablesReport::kLowersTitle) {
                ASSERT_EQ(t.Rows.size(), 1u);
                EXPECT_EQ(t.Rows[0].value(2), QStringLiteral("-15.0"));
            }
        }
    }
    doc->SetHydroResults(nullptr);
    TPrintTablesForm without(*doc);
    EXPECT_FALSE(without.ResultGroup()->isEnabled());
    EXPECT_FALSE(without.WashersBox()->isEnabled());
}

}  // namespace
