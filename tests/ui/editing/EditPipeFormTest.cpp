#include "core/devices/PipeEdits.h"
#include "ui/document/DocumentTestSupport.h"
#include "ui/editing/EditPipeForm.h"
#include "ui/support/Pictures.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

class PipeWindow : public DocumentTest {
protected:
    void SetUp() override
    {
        const QString path = WriteMine(QStringLiteral("line.irv"), [](MineBuilder& mb) {
            Line(mb);
            TBranch* b20 = mb.mine().Branches.Items(1);
            mb.device<TGate>(b20, dkGate, 0.5, 5);
            mb.device<TCrane>(b20, dkCrane, 0.7, 6);
        });
        doc = NewForm();
        ASSERT_TRUE(doc->OpenFile(path));
        window = std::make_unique<TEditPipeForm>();
        window->resize(640, 560);
    }
    TBranch* BranchNo(int number) const
    {
        for (TBranch* b : doc->Mine()->Branches)
            if (b->Number() == number)
                return b;
        return nullptr;
    }
    template <class W>
    W* Child(const char* name) const
    {
        auto* w = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->editingFinished();
    }

    std::unique_ptr<TChildForm> doc;
    std::unique_ptr<TEditPipeForm> window;
};

TEST_F(PipeWindow, FollowsTheCurrentBranchAndOutlivesWhatIsDeleted)
{
    window->Bind(doc.get(), BranchNo(10));
    EXPECT_EQ(window->Branch(), BranchNo(10));
    EXPECT_TRUE(window->ShownDevices().empty());

    doc->ShowBranch(BranchNo(20));
    Settle();
    ASSERT_EQ(window->Branch(), BranchNo(20));
    ASSERT_EQ(window->ShownDevices().size(), 2u);
    auto* filter = Child<QComboBox>("filterBox");
    filter->setCurrentIndex(4);  // "Краны"
    ASSERT_EQ(window->ShownDevices().size(), 1u);
    EXPECT_EQ(window->ShownDevices()[0]->GetKind(), dkCrane);
    filter->setCurrentIndex(0);

    // A device deleted elsewhere leaves the list.
    window->SelectDevice(window->ShownDevices()[0]);
    PipeEdits::DeleteDevice(window->ShownDevices()[0]);
    EXPECT_EQ(window->ShownDevices().size(), 1u) << "the gone device is not handed out even before the list is rebuilt";
    EXPECT_EQ(window->SelectedDevice(), nullptr);
    Settle();
    EXPECT_EQ(Child<QListWidget>("deviceList")->count(), 1);

    // The branch itself deleted: nothing stale is painted, and the window moves on.
    TBranch* b20 = BranchNo(20);
    doc->Mine()->DeleteBranch(b20);
    EXPECT_EQ(window->Branch(), nullptr);
    EXPECT_TRUE(window->ShownDevices().empty());
    window->grab();
    Settle();
    EXPECT_EQ(window->Branch(), doc->CurrentBranch());
    EXPECT_NE(window->Branch(), nullptr);

    // Every branch gone: an empty, disabled window.
    while (doc->Mine()->Branches.Count() > 0)
        doc->Mine()->DeleteBranch(doc->Mine()->Branches.Items(0));
    Settle();
    EXPECT_EQ(window->Branch(), nullptr);
    EXPECT_FALSE(Child<QListWidget>("pipeList")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>("close")->isEnabled());
    EXPECT_EQ(Child<QListWidget>("pipeList")->count(), 0);
    window->grab();

    // The document closing unbinds it.
    doc.reset();
    Settle();
    EXPECT_EQ(window->Document(), nullptr);
}

// Opened for the first time, the sections strip already spans its box (it was 100 pixels wide
// until the window was resized), and the device list names each device with its number.
TEST_F(PipeWindow, StripSpansItsBoxAtOnceAndDevicesShowTheirNumbers)
{
    window->Bind(doc.get(), BranchNo(20));
    window->show();
    Settle();
    auto* strip = window->findChild<QWidget*>(QStringLiteral("sectionsStrip"));
    ASSERT_NE(strip, nullptr);
    const QWidget* box = strip->parentWidget()->parentWidget();  // the scroll area
    EXPECT_GT(strip->width(), 300);
    EXPECT_GE(strip->width(), box->width() - 2);
    Pictures::Take(window.get(), QStringLiteral("pipe-window-first-open"));

    auto* list = Child<QListWidget>("deviceList");
    ASSERT_EQ(list->count(), 2);
    const std::vector<TDevice*> devices = window->ShownDevices();
    for (int i = 0; i < list->count(); ++i)
        EXPECT_EQ(list->item(i)->text(), devices[size_t(i)]->KindName() + QLatin1Char(' ') +
                                             QString::number(devices[size_t(i)]->Number()));
    EXPECT_NE(list->item(0)->text(), list->item(1)->text());
}

TEST_F(PipeWindow, FieldsAreAppliedOnLeavingThem)
{
    TBranch* b10 = BranchNo(10);
    window->Bind(doc.get(), b10);
    TWaterPipe* fire = b10->FirePipe();

    Type(Child<QComboBox>("diameterBox")->lineEdit(), QStringLiteral("150.6"));
    EXPECT_EQ(fire->Diameter(), 151);
    // A sign cannot even be typed into the diameter.
    QLineEdit* diameter = Child<QComboBox>("diameterBox")->lineEdit();
    diameter->clear();
    QTest::keyClicks(diameter, QStringLiteral("-80"));
    EXPECT_EQ(diameter->text(), QStringLiteral("80"));

    const double k = fire->K();
    Type(Child<QLineEdit>("kEdit"), QStringLiteral("2.01"));
    EXPECT_EQ(messages.LastText(), QStringLiteral("Коэффициент местных сопротивлений может принимать значения от 1 до 2"));
    EXPECT_DOUBLE_EQ(fire->K(), k);

    // From the end node, 50 m of the 100 m branch.
    const auto radios = window->findChildren<QRadioButton*>();
    auto fromEnd = std::find_if(radios.begin(), radios.end(),
                                [](QRadioButton* r) { return r->text() == QStringLiteral("от конечного узла"); });
    ASSERT_NE(fromEnd, radios.end());
    (*fromEnd)->click();
    auto* length = Child<QLineEdit>("lengthEdit");
    ASSERT_TRUE(length->isEnabled());
    Type(length, QStringLiteral("50"));
    EXPECT_DOUBLE_EQ(fire->StartFrac(), 0.5);
    EXPECT_DOUBLE_EQ(fire->EndFrac(), 1.0);

    // A gas pipe is added while the branch has room and is chosen at once.
    auto* add = Child<QPushButton>("addGasPipe");
    ASSERT_TRUE(add->isEnabled());
    add->click();
    auto* pipes = Child<QListWidget>("pipeList");
    ASSERT_EQ(pipes->count(), 4);
    EXPECT_EQ(pipes->currentRow(), 3);
    EXPECT_EQ(pipes->item(3)->text(), QStringLiteral("Газопровод №1"));
    EXPECT_TRUE(Child<QPushButton>("deleteGasPipe")->isEnabled());

    // Devices are added through the device dialog.
    pipes->setCurrentRow(0);
    window->SetDeviceEditor([](QWidget*, TBranch* branch, TDevice*& device, int, int pipe) {
        device = TDevice::CreateDevice(branch, branch->Pipes.Items(pipe), dkGate);
        device->SetPosition(0.8);
        device->SetNumber(9);
        return true;
    });
    Child<QPushButton>("addDevice")->click();
    ASSERT_NE(window->SelectedDevice(), nullptr);
    EXPECT_EQ(window->SelectedDevice()->Number(), 9);
    EXPECT_TRUE(Child<QPushButton>("deleteDevice")->isEnabled());

    const QImage picture = Pictures::Take(window.get(), QStringLiteral("pipe-window"));
    auto* strip = window->findChild<QWidget*>(QStringLiteral("sectionsStrip"));
    const int visible = strip->width();
    Child<QScrollBar>("sizeBar")->setValue(100);
    EXPECT_NEAR(strip->width(), 5 * visible, 5) << "\"Размер\" widens the strip up to five times";
    Child<QScrollBar>("sizeBar")->setValue(0);
    EXPECT_EQ(Pictures::FieldsOutside(window.get()), "");
    EXPECT_GT(Pictures::InkPixels(picture, Pictures::AreaOf(strip, window.get(), picture)), 100);
}

}  // namespace

namespace {

TEST_F(PipeWindow, GasPipesComeAndGoAndPlacementSwitchesEnds)
{
    TBranch* b10 = BranchNo(10);
    window->Bind(doc.get(), b10);
    auto* pipes = Child<QListWidget>("pipeList");
    auto* add = Child<QPushButton>("addGasPipe");
    for (int i = 0; i < 9; ++i)
        add->click();
    EXPECT_EQ(b10->Pipes.Count(), 12);
    EXPECT_FALSE(add->isEnabled()) << "twelve pipes fill a branch";
    EXPECT_EQ(pipes->item(11)->text(), QStringLiteral("Газопровод №9"));

    pipes->setCurrentRow(4);
    messages.Answer(TMsgAnswer::Yes);
    Child<QPushButton>("deleteGasPipe")->click();
    EXPECT_EQ(messages.LastText(), QStringLiteral("Удалить дегазационную трубу №2?"));
    EXPECT_EQ(b10->Pipes.Count(), 11);
    EXPECT_EQ(pipes->currentRow(), 10) << "the last entry is chosen";
    EXPECT_TRUE(add->isEnabled());

    // The fire pipe lying on [0.6, 1] switched to "от начального узла" lies on [0, 0.6].
    pipes->setCurrentRow(0);
    b10->FirePipe()->SetExtent(1, 0.6);
    window->Revalidate();
    pipes->setCurrentRow(1);
    pipes->setCurrentRow(0);
    const auto radios = window->findChildren<QRadioButton*>();
    ASSERT_TRUE(std::any_of(radios.begin(), radios.end(), [](QRadioButton* r) {
        return r->isChecked() && r->text() == QStringLiteral("от конечного узла");
    }));
    for (QRadioButton* r : radios)
        if (r->text() == QStringLiteral("от начального узла"))
            r->click();
    EXPECT_DOUBLE_EQ(b10->FirePipe()->StartFrac(), 0.0);
    EXPECT_DOUBLE_EQ(b10->FirePipe()->EndFrac(), 0.6);
}

}  // namespace
