// The all-devices window over a document: what opening selects, the filters and columns, the
// group commands and deleting through the window.

#include "ui/document/DocumentTestSupport.h"

#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/settings/Config.h"
#include "ui/devices/AllDevForm.h"
#include "ui/support/Pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTableWidget>

namespace {

class AllDevices : public DocumentTest {
protected:
    // Branch 10 (1-2): a closed gate 300, a consuming hydrant 301 with flow 6, a consuming
    // hydrant 302 without flow; a closed drainage gate 60. Branch 20 (2-3): a pump 5.
    static void Mine(MineBuilder& mb)
    {
        for (int n = 1; n <= 3; ++n)
            mb.uzel(n, n * 100.0, 0);
        TBranch* a = mb.firePipe(10, 1, 2);
        mb.device<TGate>(a, dkGate, 0.6, 300)->SetClosed(true);
        auto* hydrant = mb.device<TCrane>(a, dkCrane, 0.2, 301);
        hydrant->SetConsumption(true);
        hydrant->SetFlow(6);
        mb.device<TCrane>(a, dkCrane, 0.3, 302)->SetConsumption(true);
        static_cast<TWaterPipe*>(a->Pipes.Items(1))->SetPresent(true);
        mb.device<TGate>(a, dkGate, 0.5, 60, 1)->SetClosed(true);
        mb.device(mb.firePipe(20, 2, 3), dkPump, 0.5, 5);
    }
    TChildForm* Open()
    {
        form_ = NewForm();
        EXPECT_TRUE(form_->OpenFile(WriteMine(QStringLiteral("d.irv"), Mine)));
        return form_.get();
    }
    std::vector<int> Numbers(const TAllDevForm& form)
    {
        std::vector<int> n;
        for (const TDevice* d : form.Devices())
            n.push_back(d->Number());
        return n;
    }
    std::unique_ptr<TChildForm> form_;
};

}  // namespace

// Opening selects every listed branch — a second opening too, where a toggle would have
// emptied the table; the devices are in number order; the kind box gives the kind's columns.
TEST_F(AllDevices, OpeningSelectsTheListedBranchesAndTheKindGivesColumns)
{
    TChildForm* doc = Open();
    for (int opening = 0; opening < 2; ++opening) {
        TAllDevForm form(*doc, config, {}, nullptr, nullptr, nullptr);
        EXPECT_EQ(Numbers(form), (std::vector<int>{5, 300, 301, 302})) << opening;
        EXPECT_EQ(form.FilterGroup()->title(), QStringLiteral(" Фильтр устройств (сейчас 4)  "));
    }
    TAllDevForm form(*doc, config, {}, nullptr, nullptr, nullptr);
    form.resize(900, 600);
    form.KindBox()->setCurrentIndex(form.KindBox()->findData(int(dkCrane)));
    form.OnlyConsumersBox()->setChecked(true);
    form.KindChanged(false);
    EXPECT_EQ(Numbers(form), (std::vector<int>{301}));
    EXPECT_EQ(form.DevGrid()->columnCount(), 6);
    EXPECT_EQ(form.DevGrid()->item(0, 3)->text(), QStringLiteral("6.00"));
    form.show();
    Pictures::Take(&form, QStringLiteral("all-devices-cranes"));
    form.OnlyConsumersBox()->setChecked(false);
    form.KindChanged(false);

    // Heading "ВСЕ" toggles the listed devices' selection; the number heading sorts.
    form.ClickDeviceHeading(0);
    EXPECT_TRUE(form.Devices()[0]->Selected() && form.Devices()[1]->Selected());
    form.ClickDeviceHeading(0);
    EXPECT_FALSE(form.Devices()[0]->Selected());
}

// "Открыть все" asks, then opens the gates of every pipe (the drainage gate too); "&Удалить"
// asks with the kind and model and frees the device.
TEST_F(AllDevices, GroupCommandsAndDeleting)
{
    TChildForm* doc = Open();
    TMine& mine = *doc->Mine();
    TAllDevForm form(*doc, config, {}, nullptr, nullptr, nullptr);
    form.KindBox()->setCurrentIndex(0);  // the kind the last opening in this run left
    form.KindChanged(false);
    messages.answers = {TMsgAnswer::Yes};
    form.RunGroupCommand(AllDevicesTable::TGroupCommand::OpenAllGates);
    EXPECT_EQ(messages.shown.back().Text, QStringLiteral("Открыть все задвижки во всей шахте?"));
    TBranch* ten = mine.Branches.Items(0);
    EXPECT_FALSE(static_cast<TGate*>(ten->Pipes.Items(1)->Devices.Items(0))->Closed());
    EXPECT_TRUE(doc->IsModified());

    form.DevGrid()->setCurrentCell(0, 1);  // the pump 5
    messages.answers = {TMsgAnswer::Yes};
    form.AddEditDelete(2);
    EXPECT_EQ(messages.shown.back().Text, QStringLiteral("Удалить Насос \"\"?"));
    EXPECT_EQ(Numbers(form), (std::vector<int>{300, 301, 302}));
    EXPECT_EQ(mine.Branches.Items(1)->FirePipe()->Devices.Count(), 0);
    EXPECT_TRUE(form.Button(QStringLiteral("AddBtn"))->isEnabled());
}

// A seam name of 280 characters made the window 2 669 pixels wide: it keeps its size, the
// seam box its width, and the whole name is the entry's hint.
TEST_F(AllDevices, LongSeamNameKeepsTheWindowItsSize)
{
    TChildForm* doc = Open();
    QString name;
    while (name.size() < 280)
        name += QStringLiteral("Пласт Мощный нижний ");
    TLayer* seam = TLayer::Create(doc->Mine());
    seam->SetName(name);
    TAllDevForm form(*doc, config, {}, nullptr, nullptr, nullptr);
    form.show();
    Settle();
    EXPECT_LE(form.width(), 1000);
    EXPECT_LT(form.sizeHint().width(), 1000);
    EXPECT_EQ(Pictures::FieldsOutside(&form), "");
    auto* seams = form.findChild<QComboBox*>(QStringLiteral("cbLayer"));
    ASSERT_NE(seams, nullptr);
    ASSERT_EQ(seams->count(), 2);
    EXPECT_EQ(seams->itemData(1, Qt::ToolTipRole).toString(), name);
    Pictures::Take(&form, QStringLiteral("all-devices-long-seam"));
}
