#include "core/tables/TableColumns.h"
#include "core/exchange/ResultsText.h"
#include "core/file/Cp1251.h"
#include "core/model/PipePart.h"
#include "support/MineBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

// Branch 7 (100 m, fire pipe 150 mm) with one section carrying hand-set results.
class ResultsTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        b_.uzel(1, 0, 0, 0);
        b_.uzel(2, 100, 0, 0);
        branch_ = b_.firePipe(7, 1, 2);
        branch_->SetRemark(QStringLiteral("Штрек\tюжный\r\nвторая строка"));
        section_ = dynamic_cast<TWaterPipePart*>(branch_->FirePipe()->GetSection(0));
        ASSERT_NE(nullptr, section_);
        TSectionResult values;
        values.Q = 12.345;
        values.P1 = 150;
        values.P2 = 149.456;
        rows_ = {{branch_, section_, values}};
    }

    void ShowOnly(std::initializer_list<int> params)
    {
        for (int i = 0; i < columns_.Count(); ++i)
            columns_.At(i).Visible = std::find(params.begin(), params.end(), columns_.ParamAt(i)) != params.end();
    }

    QString Text() const { return fromCp1251(ResultsText::Build(rows_, columns_)); }

    MineBuilder b_;
    TBranch* branch_ = nullptr;
    TWaterPipePart* section_ = nullptr;
    std::vector<THydroBranch> rows_;
    TColumnSet columns_{TTableKind::Results};
};

}  // namespace

TEST_F(ResultsTextTest, VisibleColumnsAreWrittenWithTabsUnitsAndDecimals)
{
    ShowOnly({hbpNum, hbpQ});
    EXPECT_EQ(u"\tВетвь \tQ [м3/ч]\r\n\t7\t12.35\r\n"_qs, Text());

    // Table order, not type order; the pressures keep their two decimals.
    ShowOnly({hbpNum, hbpP2, hbpL});
    ASSERT_TRUE(columns_.Move(columns_.IndexOfParam(hbpP2), 0));
    EXPECT_EQ(u"\tP к. [м]\tВетвь \tДлина [м]\r\n\t149.46\t7\t100.0\r\n"_qs, Text());
}

TEST_F(ResultsTextTest, CommentsStayOnTheirRowAndEveryColumnIsOneField)
{
    ShowOnly({hbpRemark});
    EXPECT_EQ(u"\tКомментарий \r\n\tШтрек южный вторая строка\r\n"_qs, Text());

    ShowOnly({});
    EXPECT_EQ(u"\r\n\r\n"_qs, Text());

    for (int i = 0; i < columns_.Count(); ++i)
        columns_.At(i).Visible = true;
    const QStringList lines = Text().split(u"\r\n"_qs);
    ASSERT_EQ(3, lines.size());
    EXPECT_EQ(17, lines[0].count(u'\t'));
    EXPECT_EQ(17, lines[1].count(u'\t'));
    EXPECT_TRUE(lines[2].isEmpty());
}

TEST_F(ResultsTextTest, ExportRefusesWithoutResultsAndNamesTheReasonOfAFailure)
{
    TestTempDir dir;
    const QString path = dir.file(u"итоги.txt"_qs);
    try {
        ResultsText::Export(path, nullptr, columns_);
        ADD_FAILURE() << "exported without results";
    } catch (const Exception& e) {
        EXPECT_EQ(ResultsText::kNoResults, e.Message());
    }
    EXPECT_FALSE(QFile::exists(path));

    ShowOnly({hbpNum});
    ResultsText::Export(path, &rows_, columns_);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QByteArray("\t\xC2\xE5\xF2\xE2\xFC \r\n\t7\r\n"), file.readAll());  // Windows-1251

    try {
        ResultsText::Export(dir.file(u"нет/итоги.txt"_qs), &rows_, columns_);
        ADD_FAILURE() << "exported into a missing folder";
    } catch (const Exception& e) {
        EXPECT_EQ(u"Ошибка при экспорте результатов в файл итоги.txt:\r\nпуть не найден"_qs, e.Message());
    }
    EXPECT_EQ(u"файл занят другим приложением"_qs, ResultsText::ReasonText(32));
    EXPECT_EQ(u"неизвестная ошибка"_qs, ResultsText::ReasonText(87));
}
