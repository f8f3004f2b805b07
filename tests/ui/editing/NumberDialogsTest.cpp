#include "../document/DocumentTestSupport.h"

#include "core/services/FreeNumberEntries.h"
#include "core/model/Branch.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "ui/editing/EditDiamColorsForm.h"
#include "ui/editing/EditLayersForm.h"
#include "ui/editing/FreeNumForm.h"
#include "ui/editing/PropertyForm.h"
#include "ui/editing/RenumDevForm.h"
#include "ui/editing/StatisticaForm.h"
#include "ui/support/Pictures.h"
#include "ui/editing/WallThickForm.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

using NumberDialogs = DocumentTest;

TEST_F(NumberDialogs, FreeNumberChooserListsTheGapsAndGivesTheRangesFirstNumber)
{
    TFreeNumForm form(FreeNumberEntries::Entries({1, 2, 5, 6, 20}, true));
    QStringList shown;
    for (int i = 0; i < form.List()->count(); ++i)
        shown << form.List()->item(i)->text();
    EXPECT_EQ(shown, QStringList({"3", "4", "7 - 19", "21 и далее ..."}));
    EXPECT_EQ(form.Chosen(), 3);  // the first entry is preselected
    form.List()->setCurrentRow(2);
    EXPECT_EQ(form.Chosen(), 7);

    MineBuilder mb;
    EXPECT_EQ(PickFreeNumber({}, mb.mine(), nsUzels, {}, true, false), -1);
    mb.uzel(2);
    EXPECT_EQ(PickFreeNumber({}, mb.mine(), nsUzels, {1}, true, true), 3);
}

TEST_F(NumberDialogs, RenumberingWaitsForAModeAndRefusesAMineWithoutWaterDevices)
{
    MineBuilder mb;
    for (int n : {1, 2, 57})
        mb.uzel(n);
    TBranch* b = mb.firePipe(1, 1, 2);
    TDevice* gate = mb.device(b, dkGate, 0.5, 3);

    TfrmRenumDev form(mb.mine());
    QPushButton* ok = form.Buttons()->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(form.AfterMaxButton()->text(), QStringLiteral("Начать после максимального номера узла (58)"));
    form.AfterMaxButton()->setChecked(true);
    EXPECT_TRUE(ok->isEnabled());
    ok->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(gate->Number(), 58);

    MineBuilder bare;
    bare.uzel(1);
    EXPECT_FALSE(RenumberDevices(nullptr, bare.mine()));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.LastText(), QStringLiteral("Водопроводное оборудование отсутствует"));
}

TEST_F(NumberDialogs, WallGridRefusesBadNumbersAndTooThickWallsThenMergesRows)
{
    MineBuilder mb;
    Line(mb);
    mb.mine().Branches.Items(1)->FirePipe()->SetDiameter(100);
    TAutoSetWallThickForm form(mb.mine());
    QTableWidget* grid = form.Grid();
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("3"));
    EXPECT_FALSE(grid->item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid->item(0, 3)->flags() & Qt::ItemIsEditable);

    grid->item(1, 3)->setText(QStringLiteral("12,5"));
    EXPECT_EQ(messages.LastText(), QStringLiteral("Неверно указано число"));
    EXPECT_EQ(form.Groups()[1].NewDiameter, 100);

    grid->item(1, 4)->setText(QStringLiteral("50"));
    form.SetButton()->click();
    EXPECT_EQ(messages.LastText(), QStringLiteral("Неверная величина диаметра или толщины стенки"));
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(mb.mine().Branches.Items(1)->FirePipe()->WallThickness(), 0);

    grid->item(1, 3)->setText(QStringLiteral("150"));
    grid->item(1, 4)->setText(QStringLiteral("0"));
    form.SetButton()->click();
    EXPECT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("4"));
}

TEST_F(NumberDialogs, SeamsRefuseADuplicateNameAndDeleteAfterAsking)
{
    MineBuilder mb;
    TEditLayersForm form(mb.mine(), TLayerKind::Positions);
    EXPECT_EQ(form.RenameButton()->text(), QStringLiteral("&Номер"));
    form.SetPage(TLayerKind::Seams);
    EXPECT_EQ(form.RenameButton()->text(), QStringLiteral("&Имя"));
    EXPECT_FALSE(form.RemoveButton()->isEnabled());

    form.AddNamed(QStringLiteral("Мощный"));
    form.AddNamed(QStringLiteral("Тонкий"));
    EXPECT_EQ(form.List()->currentRow(), 1);
    form.AddNamed(QStringLiteral("мощный"));
    EXPECT_EQ(form.List()->currentRow(), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Caption, QStringLiteral("Заголовок"));
    EXPECT_EQ(messages.shown[0].Text, QStringLiteral("Пласт с таким названием уже существует"));

    TBranch* b = mb.branch(1, 1, 2);
    b->SetLayerIndex(0);
    form.RemoveSelected();  // answered No
    EXPECT_EQ(mb.mine().Layers.Count(), 2);
    messages.Answer(TMsgAnswer::Yes);
    form.RemoveSelected();
    EXPECT_EQ(mb.mine().Layers.Count(), 1);
    EXPECT_EQ(b->LayerIndex(), -1);
    EXPECT_EQ(form.List()->item(0)->text(), QStringLiteral("Тонкий"));

    form.ColorSelected(QColor(255, 0, 0));
    EXPECT_EQ(mb.mine().Layers.Items(0)->Color(), 0x0000FF);
}

TEST_F(NumberDialogs, MinePropertiesMoveTheSchemaOriginWithTheCentre)
{
    auto form = NewForm();
    form->Mine()->SetCenter(1, 1000);
    const float ox = form->OX();
    const double f = form->SchemaFrame().F;
    TPropertyForm dialog(*form);
    dialog.NameEdit()->setText(QStringLiteral("Северная"));
    QTest::keyClicks(dialog.RemarkEdit(), QStringLiteral("a'b;c"));
    dialog.CenterSpin(1)->setValue(1100);
    dialog.DummySpin()->setValue(250);
    dialog.ColumnList(1)->item(0)->setCheckState(Qt::Unchecked);  // cannot be hidden
    dialog.ColumnList(1)->item(3)->setCheckState(Qt::Unchecked);
    dialog.accept();

    EXPECT_EQ(form->Mine()->Name(), QStringLiteral("Северная"));
    EXPECT_EQ(form->Mine()->Remark(), QStringLiteral("abc"));
    EXPECT_EQ(form->Mine()->CenterX(), 1100);
    EXPECT_FLOAT_EQ(form->OX(), static_cast<float>(ox + 100 * f));
    EXPECT_EQ(form->DummyZ(), 250);
    EXPECT_TRUE(form->BranchColumns().At(0).Visible);
    EXPECT_FALSE(form->BranchColumns().At(3).Visible);
    EXPECT_TRUE(form->IsModified());
}

TEST_F(NumberDialogs, StatisticsShowTheRowsWithBoldGroupHeads)
{
    MineBuilder mb;
    Line(mb);
    TStatisticaForm form(mb.mine(), QStringLiteral("/data/a.irv"), 17);
    QTreeWidget* list = form.List();
    ASSERT_GT(list->topLevelItemCount(), 20);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Шахта"));
    EXPECT_TRUE(list->topLevelItem(0)->font(0).bold());
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("/data/a.irv"));
    EXPECT_FALSE(list->topLevelItem(1)->font(0).bold());
    EXPECT_EQ(list->topLevelItem(9)->text(0), QStringLiteral("Всего ветвей"));
    EXPECT_EQ(list->topLevelItem(9)->text(1), QStringLiteral("4"));

    // Every caption shows whole, the bold ones and the long "Пожарно-оросительный трубопровод"
    // among them, whatever the window's width.
    form.show();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        const int needed = QFontMetrics(item->font(0)).horizontalAdvance(item->text(0));
        EXPECT_LE(needed + 6, list->columnWidth(0))  // the item's margins on both sides
            << item->text(0).toStdString();
    }
    Pictures::Take(&form, QStringLiteral("statistics"));
}

// One line a diameter with its pipe count; a new colour goes to every pipe of that diameter;
// a mine without pipes gets the message instead of the editor.
TEST_F(NumberDialogs, DiameterColoursListEveryDiameterAndRecolourItsPipes)
{
    MineBuilder mb;
    for (int n = 1; n <= 4; ++n)
        mb.uzel(n, n * 10.0, 0);
    TBranch* a = mb.firePipe(1, 1, 2, 100);
    TBranch* b = mb.firePipe(2, 2, 3, 100);
    TBranch* c = mb.firePipe(3, 3, 4, 150);
    TMine& mine = mb.mine();
    TfrmEditDiamColors form(mine, nullptr);
    const auto row = form.List()->findItems(QStringLiteral("d = 100 мм"), Qt::MatchStartsWith);
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row[0]->text(), QStringLiteral("d = 100 мм\t(ветвей: 2)"));
    form.List()->setCurrentItem(row[0]);
    form.ColorSelected(QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(a->FirePipe()->Color(), 0x563412);
    EXPECT_EQ(b->FirePipe()->Color(), 0x563412);
    EXPECT_NE(c->FirePipe()->Color(), 0x563412);

    MineBuilder empty;
    TfrmEditDiamColors::Run(empty.mine(), nullptr);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Text, DiamColorTexts::kNoPipes);
}
