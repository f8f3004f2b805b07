#include "ui/document/DocumentTestSupport.h"

#include "core/model/Layer.h"
#include "ui/app/DevicePanel.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include "ui/support/Pictures.h"

#include <gtest/gtest.h>

namespace {

QStringList Lines(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

class DevicePanel : public DocumentTest {
protected:
    void SetUp() override
    {
        panel = std::make_unique<TDevicePanel>();
        panel->resize(240, 400);
        panel->show();
    }

    // The line: branch 10 carries a named pump and an unnamed gate on the fire pipe and a crane
    // on the drainage pipe, branch 20 a reducer. Seams "Мощный" (red) and "Тонкий" (red as
    // well); plan positions "П1" and "П2"; branch 20 lies in seam 1 at position 0.
    static void LineWithDevices(MineBuilder& mb)
    {
        Line(mb);
        TBranch* b10 = mb.mine().Branches.Items(0);
        TBranch* b20 = mb.mine().Branches.Items(1);
        mb.device(b10, dkPump, 0.2)->SetModel(QStringLiteral("ЦНС 300"));
        mb.device(b10, dkGate, 0.6);
        mb.device(b10, dkCrane, 0.4, 0, 1);
        mb.device(b20, dkReducer, 0.5);
        const char* seams[] = {"Мощный", "Тонкий"};
        for (const char* name : seams) {
            TLayer* l = TLayer::Create(mb.get());
            l->SetName(QString::fromUtf8(name));
            l->SetColor(0x0000FF);
        }
        for (const char* name : {"П1", "П2"}) {
            TPLFPosition* p = TPLFPosition::Create(mb.get());
            p->SetName(QString::fromUtf8(name));
            p->SetColor(0x00FF00);
        }
        b20->SetLayerIndex(1);
        b20->SetPLFIndex(0);
    }

    std::unique_ptr<TChildForm> OpenLine(const QString& name = QStringLiteral("line.irv"))
    {
        auto form = NewForm();
        EXPECT_TRUE(form->OpenFile(WriteMine(name, LineWithDevices)));
        form->show();
        Settle();
        return form;
    }

    // What a person's choice in a box does: the entry becomes current and is activated.
    static void Choose(QComboBox* box, int entry)
    {
        box->setCurrentIndex(entry);
        emit box->activated(entry);
    }

    void ExpectEmptyAndDisabled()
    {
        EXPECT_EQ(panel->DevBox()->count(), 0);
        EXPECT_EQ(panel->LayerBox()->count(), 0);
        EXPECT_EQ(panel->PLFBox()->count(), 0);
        EXPECT_FALSE(panel->LockLayerButton()->isChecked());
        EXPECT_FALSE(panel->LockPLFButton()->isChecked());
        for (QWidget* w : std::initializer_list<QWidget*>{panel->DevTypeBox(), panel->DevBox(), panel->LayerBox(),
                                                         panel->PLFBox(), panel->LockLayerButton(),
                                                         panel->LockPLFButton()})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_EQ(panel->SelectedDevice(), nullptr);
    }

    std::unique_ptr<TDevicePanel> panel;
};

TEST_F(DevicePanel, WidgetsCarryTheirNamesAndHints)
{
    EXPECT_EQ(panel->objectName(), QStringLiteral("RightPanel"));
    EXPECT_EQ(panel->findChild<QComboBox*>(QStringLiteral("DevTypeBox")), panel->DevTypeBox());
    EXPECT_EQ(panel->findChild<QListWidget*>(QStringLiteral("DevBox")), panel->DevBox());
    EXPECT_EQ(panel->findChild<QComboBox*>(QStringLiteral("cbLayer")), panel->LayerBox());
    EXPECT_EQ(panel->findChild<QComboBox*>(QStringLiteral("cbPLF")), panel->PLFBox());
    QToolButton* lockLayer = panel->findChild<QToolButton*>(QStringLiteral("btnLockLayer"));
    QToolButton* lockPLF = panel->findChild<QToolButton*>(QStringLiteral("btnLockPLF"));
    ASSERT_NE(lockLayer, nullptr);
    ASSERT_NE(lockPLF, nullptr);
    EXPECT_EQ(lockLayer->toolTip(), QStringLiteral("Пласт по умолчанию"));
    EXPECT_EQ(lockPLF->toolTip(), QStringLiteral("Позиция ПЛА по умолчанию"));
    EXPECT_TRUE(lockLayer->isCheckable());
    EXPECT_EQ(panel->DevTypeBox()->count(), 11);
}

TEST_F(DevicePanel, WithoutADocumentEverythingIsDisabledAndEmpty)
{
    ExpectEmptyAndDisabled();
    auto form = OpenLine();
    panel->SetDocument(form.get());
    ASSERT_GT(panel->LayerBox()->count(), 0);
    panel->SetDocument(nullptr);
    ExpectEmptyAndDisabled();
    // The type box keeps its entries for the next document.
    EXPECT_EQ(panel->DevTypeBox()->count(), 11);
}

TEST_F(DevicePanel, ClosingTheDocumentWindowEmptiesThePanel)
{
    auto form = OpenLine();
    panel->SetDocument(form.get());
    EXPECT_GT(panel->DevBox()->count(), 0);
    form.reset();
    ExpectEmptyAndDisabled();
    Settle();
}

TEST_F(DevicePanel, ListsTheDevicesOfTheCurrentBranchAndFollowsIt)
{
    auto form = OpenLine();
    panel->SetDocument(form.get());
    EXPECT_TRUE(panel->DevBox()->isEnabled());
    EXPECT_EQ(Lines(panel->DevBox()),
              (QStringList{QStringLiteral("Насос \"ЦНС 300\""), QStringLiteral("Задвижка"), QStringLiteral("Кран")}));
    form->BranchGrid()->SetCurrentCell(1, 0);
    EXPECT_EQ(Lines(panel->DevBox()), QStringList{QStringLiteral("Гидроредуктор")});
    EXPECT_EQ(panel->LayerBox()->currentText(), QStringLiteral("Тонкий"));
    EXPECT_EQ(panel->PLFBox()->currentText(), QStringLiteral("П1"));
    form->BranchGrid()->SetCurrentCell(2, 0);
    EXPECT_EQ(panel->DevBox()->count(), 0);
    EXPECT_EQ(panel->LayerBox()->currentIndex(), 0);
    EXPECT_EQ(panel->LayerBox()->currentText(), QStringLiteral("Не определен"));
    // A device added to the current branch shows once the document reports the change.
    TBranch* b30 = form->CurrentBranch();
    TDevice* tank = TDevice::CreateDevice(b30, b30->FirePipe(), dkJetBreakTank);
    tank->SetModel(QStringLiteral("БРС-1"));
    Settle();
    EXPECT_EQ(Lines(panel->DevBox()), QStringList{QStringLiteral("Резервуар (БРС) \"БРС-1\"")});
}

TEST_F(DevicePanel, TheTypeBoxFiltersAndIsResetOnlyForTheFirstDocument)
{
    auto form = OpenLine();
    panel->SetDocument(form.get());
    panel->DevTypeBox()->setCurrentIndex(dkGate);
    EXPECT_EQ(Lines(panel->DevBox()), QStringList{QStringLiteral("Задвижка")});
    panel->DevTypeBox()->setCurrentIndex(dkCrane);
    EXPECT_EQ(Lines(panel->DevBox()), QStringList{QStringLiteral("Кран")});
    EXPECT_EQ(panel->DeviceKind(), dkCrane);

    // Going over to another document keeps the filter.
    auto other = OpenLine(QStringLiteral("other.irv"));
    panel->SetDocument(other.get());
    EXPECT_EQ(panel->DeviceKind(), dkCrane);
    EXPECT_EQ(Lines(panel->DevBox()), QStringList{QStringLiteral("Кран")});
    // After no document, the first one starts from every kind.
    panel->SetDocument(nullptr);
    panel->SetDocument(form.get());
    EXPECT_EQ(panel->DevTypeBox()->currentIndex(), 0);
    EXPECT_EQ(panel->DevBox()->count(), 3);
    // The window the panel left closes: the panel stays with the one it shows.
    other.reset();
    Settle();
    EXPECT_TRUE(panel->DevBox()->isEnabled());
    EXPECT_EQ(panel->DevBox()->count(), 3);
    EXPECT_EQ(panel->LayerBox()->count(), 3);
}

TEST_F(DevicePanel, SelectionAndDoubleClickGiveTheDeviceWhileItExists)
{
    auto form = OpenLine();
    panel->SetDocument(form.get());
    QSignalSpy selection(panel.get(), &TDevicePanel::SelectionChanged);
    std::vector<TDevice*> edited;
    QObject::connect(panel.get(), &TDevicePanel::EditDeviceRequested, [&edited](TDevice* d) { edited.push_back(d); });
    EXPECT_EQ(panel->SelectedDevice(), nullptr);

    QListWidget* list = panel->DevBox();
    const QRect rect = list->visualItemRect(list->item(1));
    // A person's double click: press and release, then the double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    TBranch* b10 = form->CurrentBranch();
    TDevice* gate = b10->FirePipe()->Devices.Items(1);
    EXPECT_EQ(panel->SelectedDevice(), gate);
    EXPECT_GE(selection.count(), 1);
    EXPECT_EQ(edited, std::vector<TDevice*>{gate});

    // A refill for another reason keeps the selected device selected.
    TDevice::CreateDevice(b10, b10->FirePipe(), dkGate)->SetModel(QStringLiteral("новая"));
    Settle();
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(panel->SelectedDevice(), gate);

    // The selected device deleted: it is gone at once, before the list is refilled.
    b10->FirePipe()->Devices.Delete(b10->FirePipe()->Devices.IndexOf(gate));
    EXPECT_EQ(panel->SelectedDevice(), nullptr);
    Settle();
    EXPECT_EQ(panel->SelectedDevice(), nullptr);
    EXPECT_EQ(list->count(), 3);
}

TEST_F(DevicePanel, AChosenSeamGoesToTheSelectedBranchesOrElseTheCurrentOne)
{
    auto form = OpenLine();
    panel->SetDocument(form.get());
    ASSERT_EQ(panel->LayerBox()->count(), 3);
    EXPECT_EQ(panel->LayerBox()->itemText(0), QStringLiteral("Не определен"));
    EXPECT_TRUE(panel->LayerBox()->itemIcon(0).isNull());
    EXPECT_FALSE(panel->LayerBox()->itemIcon(1).isNull());
    TMine* mine = form->Mine();
    TBranch* b10 = mine->Branches.Items(0);
    TBranch* b30 = mine->Branches.Items(2);
    TBranch* b40 = mine->Branches.Items(3);

    Choose(panel->LayerBox(), 1);
    EXPECT_EQ(b10->LayerIndex(), 0);
    EXPECT_TRUE(form->IsModified());

    form->SetModified(false);
    mine->Selection.Add(b30);
    mine->Selection.Add(b40);
    Choose(panel->PLFBox(), 2);
    EXPECT_EQ(b10->PLFIndex(), -1);
    EXPECT_EQ(b30->PLFIndex(), 1);
    EXPECT_EQ(b40->PLFIndex(), 1);
    EXPECT_TRUE(form->IsModified());
    Choose(panel->LayerBox(), 0);
    EXPECT_EQ(b30->LayerIndex(), -1);
    EXPECT_EQ(b10->LayerIndex(), 0);
    // The report of the change leaves the box on what was chosen.
    Settle();
    EXPECT_EQ(panel->PLFBox()->currentIndex(), 2);
}

TEST_F(DevicePanel, TheLockMakesTheChosenSeamTheDefaultOfNewBranches)
{
    auto form = OpenLine();
    panel->SetDocument(form.get());
    QComboBox* box = panel->LayerBox();
    QToolButton* lock = panel->LockLayerButton();
    const QImage plainSwatch = box->itemIcon(2).pixmap(box->iconSize()).toImage();

    Choose(box, 2);
    QTest::mouseClick(lock, Qt::LeftButton);
    EXPECT_TRUE(lock->isChecked());
    EXPECT_EQ(form->DefaultLayer(), 1);
    // The default entry's swatch carries the tick: it differs from the plain swatch of the
    // same colour it had before, and from the other seam's.
    const QImage ticked = box->itemIcon(2).pixmap(box->iconSize()).toImage();
    EXPECT_NE(ticked, plainSwatch);
    EXPECT_NE(ticked, box->itemIcon(1).pixmap(box->iconSize()).toImage());

    form->AddBranch();
    Settle();
    TBranch* added = form->CurrentBranch();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Number(), 41);
    EXPECT_EQ(added->LayerIndex(), 1);
    EXPECT_EQ(added->PLFIndex(), -1);
    // The new branch is current and on the default seam: the lock stays down.
    EXPECT_EQ(box->currentIndex(), 2);
    EXPECT_TRUE(lock->isChecked());

    // Another seam chosen: the lock shows up, the default stays.
    Choose(box, 1);
    EXPECT_FALSE(lock->isChecked());
    EXPECT_EQ(form->DefaultLayer(), 1);
    Choose(box, 2);
    EXPECT_TRUE(lock->isChecked());

    // Released: no default any more.
    QTest::mouseClick(lock, Qt::LeftButton);
    EXPECT_FALSE(lock->isChecked());
    EXPECT_EQ(form->DefaultLayer(), -1);
    EXPECT_EQ(box->itemIcon(2).pixmap(box->iconSize()).toImage(), plainSwatch);
    form->AddBranch();
    Settle();
    EXPECT_EQ(form->CurrentBranch()->LayerIndex(), -1);
}

TEST_F(DevicePanel, ThePlanPositionLockGivesNewBranchesThePosition)
{
    auto form = OpenLine();
    panel->SetDocument(form.get());
    Choose(panel->PLFBox(), 2);
    QTest::mouseClick(panel->LockPLFButton(), Qt::LeftButton);
    EXPECT_EQ(form->DefaultPLF(), 1);
    EXPECT_EQ(form->DefaultLayer(), -1);
    form->AddBranch();
    Settle();
    EXPECT_EQ(form->CurrentBranch()->PLFIndex(), 1);
    EXPECT_EQ(form->CurrentBranch()->LayerIndex(), -1);
    EXPECT_TRUE(panel->LockPLFButton()->isChecked());
    EXPECT_FALSE(panel->LockLayerButton()->isChecked());
    // Locking "Не определен" records no default.
    Choose(panel->LayerBox(), 0);
    QTest::mouseClick(panel->LockLayerButton(), Qt::LeftButton);
    EXPECT_EQ(form->DefaultLayer(), -1);
    EXPECT_FALSE(panel->LockLayerButton()->isChecked());
}

TEST_F(DevicePanel, SeamListChangesReachTheBox)
{
    auto form = OpenLine();
    panel->SetDocument(form.get());
    form->BranchGrid()->SetCurrentCell(1, 0);
    TLayer* layer = TLayer::Create(form->Mine());
    layer->SetName(QStringLiteral("Новый"));
    form->Mine()->Layers.Items(1)->SetName(QStringLiteral("Тонкий-2"));
    Settle();
    ASSERT_EQ(panel->LayerBox()->count(), 4);
    EXPECT_EQ(panel->LayerBox()->itemText(3), QStringLiteral("Новый"));
    EXPECT_EQ(panel->LayerBox()->currentText(), QStringLiteral("Тонкий-2"));
}

TEST_F(DevicePanel, TheListsAndTheSeamsWithTheirSwatchesArePainted)
{
    auto form = OpenLine();
    panel->SetDocument(form.get());
    panel->resize(260, 500);
    panel->show();
    form->BranchGrid()->SetCurrentCell(1, 0);
    QTest::mouseClick(panel->LockLayerButton(), Qt::LeftButton);
    form->BranchGrid()->SetCurrentCell(0, 0);
    panel->DevBox()->setCurrentRow(1);
    Settle();
    const QImage picture = Pictures::Take(panel.get(), QStringLiteral("device-panel"));
    EXPECT_EQ(Pictures::FieldsOutside(panel.get()), "");
    EXPECT_GT(Pictures::InkPixels(picture, Pictures::AreaOf(panel->DevBox()->viewport(), panel.get(), picture)), 100)
        << "the devices of the branch are listed";
    panel->LayerBox()->showPopup();
    Settle();
    QWidget* popup = panel->LayerBox()->view()->window();
    const QImage seams = Pictures::Take(popup, QStringLiteral("device-panel-seams"));
    EXPECT_GT(Pictures::InkPixels(seams, seams.rect()), 100) << "seam names and swatches";
    panel->LayerBox()->hidePopup();
}

}  // namespace
