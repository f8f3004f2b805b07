// "Рассчитать" (F9): the check, the solve on its own thread with the document busy, the
// results page and the message list afterwards.

#include "ui/document/DocumentTestSupport.h"

#include "core/exchange/SampleMine.h"
#include "core/hydraulics/HydroCalculation.h"
#include "core/model/Mine.h"
#include "ui/app/MainForm.h"
#include "ui/document/MessagePanel.h"
#include "ui/document/ResultsPage.h"

#include <QAction>
#include <QTableView>
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
    EXPECT_EQ(doc->MessagePanel()->CurrentLine(), first);
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

}  // namespace
