#include "support/MineBuilder.h"

#include "core/tables/TableColumns.h"
#include "core/model/PipePart.h"
#include "render/report/TablesReport.h"

#include <gtest/gtest.h>

namespace {

TTablesReportInputs TwoNodeInputs(MineBuilder& b, const TColumnSet& uzelCols, const TColumnSet& branchCols)
{
    b.mine().SetName(QStringLiteral("Северная"));
    TUzel* u1 = b.uzel(1, 0, 0, -100);
    b.uzel(2, 200, 0, -100);
    TBranch* br = b.firePipe(7, 1, 2);
    br->SetRemark(QStringLiteral("штрек"));
    u1->SetSelected(true);
    TTablesReportInputs in;
    in.Mine = b.get();
    in.FileName = QStringLiteral("/home/mine/dir/sever.irv");
    in.When = QDateTime(QDate(2026, 12, 9), QTime(7, 5, 30));
    in.Uzels = TablesReport::ChooseUzels(b.mine(), TTablesReportOptions::Full);
    in.UzelColumns = &uzelCols;
    in.Branches = TablesReport::ChooseBranches({br}, TTablesReportOptions::Full);
    in.BranchColumns = &branchCols;
    return in;
}

QStringList Headings(const TReportTable& t)
{
    QStringList h;
    for (const TReportColumn& c : t.Columns)
        h << c.Heading;
    return h;
}

}  // namespace

TEST(TablesReport, TitlePageAndTablesFollowTheDocumentColumns)
{
    MineBuilder b;
    TColumnSet uzelCols(TTableKind::Uzels);
    TColumnSet branchCols(TTableKind::Branches);
    uzelCols.Move(3, 1);                 // Z moved before X
    uzelCols.At(uzelCols.IndexOfParam(upY)).Visible = false;
    TTablesReportInputs in = TwoNodeInputs(b, uzelCols, branchCols);
    const TReportContent report = TablesReport::Build(in);

    QStringList title;
    for (const TTitleLine& line : report.TitlePage)
        title << line.Left + u'|' + line.Right;
    EXPECT_EQ(title.value(0), QStringLiteral("09.12.2026|07:05:30"));
    EXPECT_TRUE(title.contains(QStringLiteral("Исходные данные.|")));
    EXPECT_TRUE(title.contains(QStringLiteral("Шахта \"Северная\"|")));
    EXPECT_TRUE(title.contains(QStringLiteral("Файл \"sever.irv\"|")));
    EXPECT_TRUE(title.contains(QStringLiteral("узлов: 2|")));
    EXPECT_TRUE(title.contains(QStringLiteral("ветвей: 1|")));

    ASSERT_EQ(report.Tables.size(), 2u);
    const TReportTable& uzels = report.Tables[0];
    EXPECT_EQ(uzels.Title, TablesReport::kNodesTitle);
    EXPECT_EQ(Headings(uzels), (QStringList{QStringLiteral("Номер сопряжения"), QStringLiteral("Координата Z\n[м]"),
                                            QStringLiteral("Координата X\n[м]")}));
    EXPECT_TRUE(uzels.Columns[0].Bold);
    EXPECT_FALSE(uzels.Columns[1].Bold);
    EXPECT_EQ(uzels.Rows[1], (QStringList{QStringLiteral("2"), QStringLiteral("-100.0"), QStringLiteral("200.0")}));

    const TReportTable& branches = report.Tables[1];
    EXPECT_EQ(branches.Title, TablesReport::kBranchesTitle);
    EXPECT_EQ(branches.Columns.size(), size_t(kBranchColCount));
    EXPECT_EQ(branches.Rows[0][bpRemark], QStringLiteral("штрек"));
    EXPECT_EQ(branches.Rows[0][bpL], QStringLiteral("200.0"));
}

TEST(TablesReport, ChoicesPickRowsAndNothingChosenIsAnEmptyReport)
{
    MineBuilder b;
    TColumnSet uzelCols(TTableKind::Uzels);
    TColumnSet branchCols(TTableKind::Branches);
    TTablesReportInputs in = TwoNodeInputs(b, uzelCols, branchCols);
    EXPECT_EQ(TablesReport::ChooseUzels(b.mine(), TTablesReportOptions::Selected).size(), 1u);
    EXPECT_TRUE(TablesReport::ChooseUzels(b.mine(), TTablesReportOptions::NoRows).empty());

    in.Uzels.clear();
    in.Branches.clear();
    in.TitlePage = false;
    EXPECT_TRUE(TablesReport::Build(in).Empty());
}

TEST(TablesReport, HydrantPressuresAndHugeResultValues)
{
    MineBuilder b;
    b.uzel(1);
    b.uzel(2, 100);
    TBranch* br = b.firePipe(1, 1, 2);
    auto* inner = b.device<TCrane>(br, dkCrane, 0.5, 11);
    auto* atEnd = b.device<TCrane>(br, dkCrane, 1.0, 12);
    TPipe* pipe = br->FirePipe();
    ASSERT_EQ(pipe->SectionCount(), 3);
    auto* s0 = dynamic_cast<TWaterPipePart*>(pipe->GetSection(0));
    auto* s1 = dynamic_cast<TWaterPipePart*>(pipe->GetSection(1));
    auto* s2 = dynamic_cast<TWaterPipePart*>(pipe->GetSection(2));
    THydroResults results;
    results.AddSection(br, s0, {0, 0, 0, 80, 70});
    results.AddSection(br, s1, {5, 0, 0, 170, 45});
    results.AddSection(br, s2, {0, 0, 0, 999, 0});  // after the hydrant at the pipe's end: no length
    double inside = 0, end = 0;
    ASSERT_TRUE(results.HydrantPressure(*inner, inside));
    ASSERT_TRUE(results.HydrantPressure(*atEnd, end));
    EXPECT_DOUBLE_EQ(inside, 170);
    EXPECT_DOUBLE_EQ(end, 45);

    const TReportTable lowers = TablesReport::LowerTable({{atEnd, end}});
    EXPECT_EQ(lowers.Rows[0], (QStringList{QStringLiteral("12"), QStringLiteral("45.0"), QStringLiteral("-15.0")}));
    EXPECT_EQ(Headings(lowers).value(1), QStringLiteral("Давление\n(м)"));
    const TReportTable washers = TablesReport::WasherTable({{inner, inside, 0}});
    EXPECT_EQ(washers.Columns.size(), 6u);
    EXPECT_EQ(washers.Rows[0][2], QStringLiteral("20.0"));

    EXPECT_EQ(TablesReport::ResultText(2e11, 2), QStringLiteral("~"));
    EXPECT_EQ(TablesReport::ResultText(1e11, 0), QStringLiteral("100000000000"));

    // Ends and consumers: the second section is the last with a length, the end one has none.
    const std::vector<THydroBranch>& rows = results.Sections;
    EXPECT_EQ(TablesReport::ChooseResults(rows, TTablesReportOptions::EndsAndConsumers).size(), 2u);
    EXPECT_EQ(TablesReport::ChooseResults(rows, TTablesReportOptions::Flowing).size(), 1u);
    EXPECT_EQ(TablesReport::ChooseResults(rows, TTablesReportOptions::NoResults).size(), 0u);
}
