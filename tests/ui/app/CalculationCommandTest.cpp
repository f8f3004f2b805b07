// "Рассчитать" (F9): the check, the solve on its own thread with the document busy, the
// results page and the message list afterwards.

#include "ui/document/DocumentTestSupport.h"

#include "core/exchange/SampleMine.h"
#include "core/hydraulics/HydroCalculation.h"
#include "core/file/DocumentSettings.h"
#include "core/history/EditTransaction.h"
#include "core/model/Mine.h"
#include "ui/app/MainForm.h"
#include "ui/document/MessagePanel.h"
#include "ui/document/ResultsPage.h"
#include "ui/support/Pictures.h"

#include <QAction>
#include <QTableView>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

class CalculationCommand : public DocumentTest {
protected:
    QString WriteSample()
    {
        const std::unique_ptr<TMine> mine = SampleMine::Build();
        const QString path = FilePath(QStringLiteral("sample.irv"));
        NetworkFile::Write(path, *mine, TDocumentSettings::Defaults(), mine->Branches.ToVector(), 17);
        return path;
    }

    // A surface pump (A = 100 m, B = 10 000 s2/m5) feeds two hydrants of 36 m3/h on a 200 m
    // drift 100 m below: both see about 195 m and get plate 1. Pipes of fixed resistance
    // 10 s2/m6, K = 1.
    static void PumpAndTwoHydrants(MineBuilder& mb)
    {
        mb.uzel(1, 0, 0, 0)->SetSurface(true);
        mb.uzel(2, 0, 0, -100);
        mb.uzel(3, 200, 0, -100);
        for (TBranch* br : {mb.firePipe(1, 1, 2), mb.firePipe(2, 2, 3)}) {
            br->FirePipe()->SetResistanceMode(1);
            br->FirePipe()->SetFixedResistance(10);
            br->FirePipe()->SetK(1.0);
        }
        auto* pump = mb.device<TPump>(mb.mine().Branches.Items(0), dkPump, 0, 101);
        pump->SetValue(5, 100);
        pump->SetValue(6, 10000);
        for (const auto& [position, number] : {std::pair{0.5, 102}, std::pair{1.0, 103}}) {
            auto* hydrant = mb.device<TCrane>(mb.mine().Branches.Items(1), dkCrane, position, number);
            hydrant->SetConsumption(true);
            hydrant->SetFlow(36);
        }
    }
};

TEST_F(CalculationCommand, IsF9InTheCalculationMenuBesideTheCheck)
{
    TMainForm main(config);
    QAction* calc = main.Action(QStringLiteral("actHydroCalc"));
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(calc->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(calc->text(), QStringLiteral("Рассчитать"));
    main.UpdateActions();
    EXPECT_FALSE(calc->isEnabled());
    ASSERT_NE(main.OpenPath(WriteMine(QStringLiteral("line.irv"), Line)), nullptr);
    main.UpdateActions();
    EXPECT_TRUE(calc->isEnabled());
    // The old calculation entries stay hidden.
    EXPECT_FALSE(main.Action(QStringLiteral("actCalculate"))->isVisible());
}

// A pipe that the check refuses gives no results: the first page and the message list at
// the run's first line, as the check command shows it.
TEST_F(CalculationCommand, AFailedCheckShowsTheMessagesAndGivesNoResults)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("line.irv"), Line));
    ASSERT_NE(doc, nullptr);
    doc->Messages().AddCheckLine(QStringLiteral("старая строка"));
    const int first = doc->Messages().Count();
    doc->SetCurrentPage(1);
    main.Action(QStringLiteral("actHydroCalc"))->trigger();
    EXPECT_EQ(doc->HydroResults(), nullptr);
    EXPECT_EQ(doc->CurrentPage(), 0);
    EXPECT_TRUE(doc->MessagesVisible());
    EXPECT_GT(doc->Messages().Count(), first);
    // The run clears the earlier check lines first: its own begin at the top.
    EXPECT_EQ(doc->MessagePanel()->CurrentLine(), 0);
    EXPECT_FALSE(doc->Messages().Texts().contains(QStringLiteral("старая строка")));
    EXPECT_FALSE(doc->Busy().Busy());
    EXPECT_FALSE(doc->IsModified());
}

// While the solve runs the document is busy: it refuses to close and the commands are off;
// afterwards it is free again.
TEST_F(CalculationCommand, TheDocumentIsBusyWhileItCalculates)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteSample());
    ASSERT_NE(doc, nullptr);
    bool sawBusy = false;
    bool closeRefused = false;
    bool editingOff = false;
    QTimer::singleShot(0, doc, [&] {
        sawBusy = doc->Busy().Busy();
        closeRefused = !doc->CanClose();
        main.UpdateActions();
        editingOff = !main.Action(QStringLiteral("actAddBranch"))->isEnabled();
    });
    main.Action(QStringLiteral("actHydroCalc"))->trigger();
    EXPECT_TRUE(sawBusy);
    EXPECT_TRUE(closeRefused);
    EXPECT_TRUE(editingOff);
    EXPECT_FALSE(doc->Busy().Busy());
    main.UpdateActions();
    EXPECT_TRUE(main.Action(QStringLiteral("actHydroCalc"))->isEnabled());
}

TEST_F(CalculationCommand, F9FillsTheResultsPageAndSetsThePlates)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("pump.irv"), PumpAndTwoHydrants));
    ASSERT_NE(doc, nullptr);
    ASSERT_FALSE(doc->IsModified());
    doc->Messages().AddCheckLine(QStringLiteral("старая строка"));
    main.Action(QStringLiteral("actHydroCalc"))->trigger();
    ASSERT_NE(doc->HydroResults(), nullptr) << doc->Messages().Texts().join(u'\n').toStdString();
    EXPECT_EQ(doc->CurrentPage(), 1);
    EXPECT_TRUE(doc->MessagesVisible());
    // The run clears the earlier check lines first: its own begin at the top.
    EXPECT_EQ(doc->MessagePanel()->CurrentLine(), 0);
    EXPECT_FALSE(doc->Messages().Texts().contains(QStringLiteral("старая строка")));
    EXPECT_TRUE(doc->Messages().Line(doc->Messages().Count() - 1).Text.contains(QStringLiteral("кранов с давлением")));
    // The plates chosen live in the hydrants: the document changed, and keeps its results.
    EXPECT_TRUE(doc->IsModified());
    TResultsPage* page = doc->ResultsPage();
    EXPECT_EQ(page->WashersGrid()->model()->rowCount(), 2);
    EXPECT_EQ(page->WashersGrid()->model()->index(0, 3).data().toString(), QStringLiteral("1 - 42.00"));
    EXPECT_EQ(page->WashersHeading()->text(), QStringLiteral(" Дроссельные шайбы (2 шт.)"));
    EXPECT_EQ(page->HydroBranchGrid()->model()->rowCount(), static_cast<int>(doc->HydroResults()->Sections.size()));
    const int q = doc->ResultColumns().IndexOfParam(hbpQ);
    bool carries72 = false;
    for (int r = 0; r < page->HydroBranchGrid()->model()->rowCount(); ++r)
        carries72 = carries72 || page->HydroBranchGrid()->model()->index(r, q).data().toString() == QStringLiteral("72.00");
    EXPECT_TRUE(carries72);
    main.UpdateActions();
    EXPECT_TRUE(main.Action(QStringLiteral("actHBranchesByQ"))->isEnabled());

    // Again: the plates stay as they are, so nothing more changes.
    doc->SetModified(false);
    main.Action(QStringLiteral("actHydroCalc"))->trigger();
    ASSERT_NE(doc->HydroResults(), nullptr);
    EXPECT_FALSE(doc->IsModified());
}

// The plates the calculation chose are one undo step; a run that keeps every plate adds none.
TEST_F(CalculationCommand, ThePlatesChosenAreOneUndoStep)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("pump.irv"), PumpAndTwoHydrants));
    ASSERT_NE(doc, nullptr);
    const auto body = [doc] {
        return NetworkFile::WriteBody(*doc->Mine(), doc->DocumentSettings(), doc->Rows().BranchOrderVector(), 17);
    };
    const QByteArray before = body();
    const int uncaptured = TEditTransaction::UncapturedTotal();
    main.Action(QStringLiteral("actHydroCalc"))->trigger();
    ASSERT_NE(doc->HydroResults(), nullptr);
    const QByteArray after = body();
    ASSERT_NE(after, before);
    ASSERT_EQ(doc->History().Count(), 1);
    EXPECT_EQ(doc->History().UndoCaption(), QStringLiteral("Расчет: шайбы"));
    main.Action(QStringLiteral("actHydroCalc"))->trigger();
    EXPECT_EQ(doc->History().Count(), 1);

    ASSERT_TRUE(doc->History().Undo());
    EXPECT_EQ(body(), before);
    ASSERT_TRUE(doc->History().Redo());
    EXPECT_EQ(body(), after);
    EXPECT_EQ(TEditTransaction::UncapturedTotal(), uncaptured);
    doc->SetModified(false);
}

TEST_F(CalculationCommand, TheSampleMineCalculates)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteSample());
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->Calculate()) << doc->Messages().Texts().join(u'\n').toStdString();
    ASSERT_NE(doc->HydroResults(), nullptr);
    EXPECT_GT(doc->ResultsPage()->HydroBranchGrid()->model()->rowCount(), 10);
    EXPECT_EQ(doc->CurrentPage(), 1);
    main.resize(1280, 800);
    main.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Pictures::Take(&main, QStringLiteral("sample-mine-results")).isNull());
}

}  // namespace
