#include "core/devices/PipeEdits.h"
#include "support/MineBuilder.h"
#include "ui/common/MessageBoxes.h"
#include "ui/editing/DeviceChoosers.h"
#include "ui/editing/EditDeviceForm.h"
#include "ui/support/Pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Error boxes are recorded instead of shown.
struct ErrorLog {
    ErrorLog()
    {
        MessageBoxes::SetInterceptor([this](const TMessageRecord& r) {
            texts.push_back(r.Text);
            return TMsgAnswer::Ok;
        });
    }
    ~ErrorLog() { MessageBoxes::SetInterceptor(nullptr); }
    std::vector<QString> texts;
};

// The database choosers answer with a fixed model.
struct FixedChoosers {
    FixedChoosers()
    {
        DeviceChoosers::SetPumpChooser([](QWidget*, const TPumpChoice&) {
            return std::optional<TPumpChoice>(TPumpChoice{QStringLiteral("ЦНС 60-99"), {30, 120, 60, 90, 0.05, 0.001}});
        });
        DeviceChoosers::SetReducerChooser([](QWidget*, TReducerChooserMode, const TReducerChoice& current) {
            TReducerChoice c = current;
            c.Model = QStringLiteral("РД-3");
            c.LockingPressure = 40;
            return std::optional<TReducerChoice>(c);
        });
    }
    ~FixedChoosers()
    {
        DeviceChoosers::SetPumpChooser(nullptr);
        DeviceChoosers::SetReducerChooser(nullptr);
    }
};

// Nodes 1 and 2 100 m apart joined by branch 1 with a laid fire pipe and two gas pipes.
struct DeviceDialog : ::testing::Test {
    MineBuilder mb;
    TBranch* b = nullptr;
    ErrorLog errors;
    void SetUp() override
    {
        mb.uzel(1, 0, 0, 0);
        mb.uzel(2, 100, 0, 0);
        b = mb.firePipe(1, 1, 2);
        mb.gasPipe(b, 1);
        mb.gasPipe(b, 2);
    }
    template <class W>
    static W* Child(const QWidget& form, const char* name)
    {
        auto* w = form.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Types into a field as the user would: the text counts as changed.
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        edit->setModified(true);
    }
    int DeviceCount() const
    {
        int n = 0;
        for (TPipe* p : b->Pipes)
            n += p->Devices.Count();
        return n;
    }
};

struct EveryKind : DeviceDialog, ::testing::WithParamInterface<int> {};

TEST_P(EveryKind, OkAddsTheDeviceWhereTyped)
{
    FixedChoosers choosers;
    const int kind = GetParam();
    const int pipe = TPipe::GasAccepts(kind) ? 3 : 0;
    TEditDeviceForm form(b, nullptr, kind, pipe);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Оборудование (** добавление)"));
    EXPECT_EQ(Child<QStackedWidget>(form, "pages")->currentIndex(), kind - 1);
    Type(Child<QLineEdit>(form, "fromStart"), QStringLiteral("40"));
    switch (kind) {
    case dkPump:
    case dkReducer: Child<QPushButton>(form, "chooseButton")->click(); break;
    case dkVacuumPump:
        Child<QSpinBox>(form, "vacuum2")->setValue(300);
        Child<QSpinBox>(form, "vacuum3")->setValue(30);
        Child<QSpinBox>(form, "vacuum0")->setValue(100);
        Child<QSpinBox>(form, "vacuum1")->setValue(10);
        break;
    case dkSlit: Child<QPushButton>(form, "well0")->click(); break;
    case dkConnection: {
        auto* list = Child<QListWidget>(form, "connectionList");
        ASSERT_EQ(list->count(), 2);
        list->item(0)->setCheckState(Qt::Checked);
        list->item(1)->setCheckState(Qt::Checked);
        break;
    }
    default: break;
    }
    ASSERT_TRUE(form.Confirm()) << (errors.texts.empty() ? "" : errors.texts.back().toStdString());
    EXPECT_TRUE(errors.texts.empty());
    TDevice* device = form.Device();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->GetKind(), kind);
    EXPECT_EQ(device->Pipe(), b->Pipes.Items(pipe));
    EXPECT_NEAR(device->Position(), 0.4, 1e-12);
    if (kind == dkPump) {
        EXPECT_EQ(static_cast<TPump*>(device)->H1(), 120);
    }
    if (kind == dkReducer) {
        EXPECT_EQ(device->Model(), QStringLiteral("РД-3"));
    }
    if (kind == dkSlit) {
        EXPECT_EQ(static_cast<TSlit*>(device)->WellCount(), 1);
    }
    if (kind == dkConnection) {
        EXPECT_EQ(DeviceCount(), 2) << "one connection on each checked gas pipe";
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryKind, ::testing::Range(1, kDeviceKindCount + 1));

TEST_F(DeviceDialog, RefusalsSayWhyAndChangeNothing)
{
    // A new hydrant with consumption and no flow.
    {
        TEditDeviceForm form(b, nullptr, dkCrane, 0);
        Child<QCheckBox>(form, "craneConsumption")->setChecked(true);
        EXPECT_FALSE(form.Confirm());
        ASSERT_EQ(errors.texts.size(), 1u);
        EXPECT_EQ(errors.texts.back(), QStringLiteral("При включенном кране расход должен быть больше 0"));
        EXPECT_EQ(form.focusWidget(), Child<QLineEdit>(form, "craneFlow"));
        EXPECT_EQ(DeviceCount(), 0);
        // The Up key steps the flow as a spin box; then the hydrant is taken.
        QTest::keyClick(Child<QLineEdit>(form, "craneFlow"), Qt::Key_Up);
        EXPECT_EQ(Child<QLineEdit>(form, "craneFlow")->text(), QStringLiteral("10"));
        ASSERT_TRUE(form.Confirm());
        EXPECT_EQ(static_cast<TCrane*>(form.Device())->Flow(), 10);
        PipeEdits::DeleteDevice(form.Device());
    }
    // An existing gate given number 0 and a new place.
    auto* gate = mb.device<TGate>(b, dkGate, 0.2, 3);
    {
        TEditDeviceForm form(nullptr, gate, 0, 0);
        EXPECT_FALSE(Child<QListWidget>(form, "kindList")->isEnabled());
        Type(Child<QLineEdit>(form, "fromStart"), QStringLiteral("70"));
        Child<QSpinBox>(form, "numberSpin")->setValue(0);
        Child<QCheckBox>(form, "gateClosed")->setChecked(true);
        EXPECT_FALSE(form.Confirm());
        EXPECT_EQ(errors.texts.back(), QStringLiteral("Указан неверный номер устройства"));
        EXPECT_EQ(gate->Number(), 3);
        EXPECT_DOUBLE_EQ(gate->Position(), 0.2);
        EXPECT_FALSE(gate->Closed());
    }
    // A position that is no number.
    {
        TEditDeviceForm form(nullptr, gate, 0, 0);
        auto* end = Child<QLineEdit>(form, "fromEnd");
        Type(end, QStringLiteral("abc"));
        EXPECT_FALSE(form.Confirm());
        EXPECT_EQ(errors.texts.back(), QStringLiteral("Неверно указано число"));
        EXPECT_DOUBLE_EQ(gate->Position(), 0.2);
    }
    // Without a pump database the model cannot be chosen, and OK says so.
    {
        TEditDeviceForm form(b, nullptr, dkPump, 0);
        EXPECT_FALSE(Child<QPushButton>(form, "chooseButton")->isEnabled());
        Type(Child<QLineEdit>(form, "fromStart"), QStringLiteral("50"));
        EXPECT_FALSE(form.Confirm());
        EXPECT_EQ(errors.texts.back(), QStringLiteral("Не указана модель насоса"));
        EXPECT_EQ(DeviceCount(), 1);
    }
}

TEST_F(DeviceDialog, PositionFieldsAndDuplicate)
{
    auto* gate = mb.device<TGate>(b, dkGate, 0.2, 3);
    TEditDeviceForm form(nullptr, gate, 0, 0);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Оборудование (** редактирование)"));
    auto* start = Child<QLineEdit>(form, "fromStart");
    EXPECT_EQ(start->text(), QStringLiteral("20.0 м"));
    EXPECT_EQ(Child<QLineEdit>(form, "elevation")->text(), QStringLiteral("0.0 м"));
    EXPECT_FALSE(Child<QLineEdit>(form, "elevation")->isEnabled()) << "a level branch";
    Type(start, QStringLiteral("25%"));
    emit start->editingFinished();
    EXPECT_EQ(start->text(), QStringLiteral("25.0 м"));
    EXPECT_EQ(Child<QLineEdit>(form, "fromEnd")->text(), QStringLiteral("75.0 м"));
    EXPECT_DOUBLE_EQ(gate->Position(), 0.2) << "nothing is written before OK";

    Type(start, QStringLiteral("20"));
    ASSERT_TRUE(form.DuplicateTo(+1));
    TDevice* copy = form.Device();
    ASSERT_NE(copy, gate);
    EXPECT_NEAR(copy->Position(), 0.7, 1e-12);
    EXPECT_EQ(copy->Number(), 4);
    EXPECT_EQ(Child<QPushButton>(form, "cancel")->text(), QStringLiteral("Закрыть"));
    ASSERT_TRUE(Child<QPushButton>(form, "previous")->isEnabled());
    ASSERT_TRUE(form.GoToNeighbour(-1));
    EXPECT_EQ(form.Device(), gate);
}

TEST_F(DeviceDialog, EachPageLooksRight)
{
    FixedChoosers choosers;
    mb.device<TGate>(b, dkGate, 0.3, 3);
    for (int page = 0; page <= 10; ++page) {
        const int kind = page < 10 ? page + 1 : dkPump;
        // The last picture: a water kind on a gas pipe.
        const int pipe = (TPipe::GasAccepts(kind) ? 3 : 0) + (page == 10 ? 3 : 0);
        TEditDeviceForm form(b, nullptr, kind, pipe);
        form.resize(form.sizeHint());
        if (kind == dkSlit)
            Child<QPushButton>(form, "well0")->click();
        const QImage picture = Pictures::Take(&form, QStringLiteral("device-page-%1").arg(page + 1, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(Pictures::FieldsOutside(&form), "") << page;
        auto* pages = Child<QStackedWidget>(form, "pages");
        EXPECT_EQ(pages->currentIndex(), page);
        EXPECT_GT(Pictures::InkPixels(picture, Pictures::AreaOf(pages, &form, picture)), 50) << page;
    }
}

}  // namespace

namespace {

TEST_F(DeviceDialog, KindFirstThenPipeKeepsWhatWasTyped)
{
    TEditDeviceForm form(b, nullptr, dkGate, 0);
    Child<QLineEdit>(form, "modelEdit")->setText(QStringLiteral("ЗКЛ-150"));
    Child<QListWidget>(form, "kindList")->setCurrentRow(dkConnection - 1);
    auto* pipes = Child<QComboBox>(form, "pipeBox");
    EXPECT_EQ(Child<QStackedWidget>(form, "pages")->currentIndex(), 10) << "a water pipe takes no connection";
    ASSERT_TRUE(pipes->isEnabled()) << "so the pipe can still be chosen";
    pipes->setCurrentIndex(3);
    EXPECT_EQ(Child<QStackedWidget>(form, "pages")->currentIndex(), dkConnection - 1);
    EXPECT_FALSE(pipes->isEnabled());
    Child<QListWidget>(form, "kindList")->setCurrentRow(dkGate - 1);
    EXPECT_EQ(Child<QLineEdit>(form, "modelEdit")->text(), QStringLiteral("ЗКЛ-150"));
}

}  // namespace

namespace {

TEST_F(DeviceDialog, WellGridAndPumpDirection)
{
    TEditDeviceForm form(b, nullptr, dkSlit, 3);
    auto* grid = Child<QTableWidget>(form, "wellGrid");
    Child<QPushButton>(form, "well0")->click();
    Child<QPushButton>(form, "well0")->click();
    ASSERT_EQ(grid->rowCount(), 2);
    grid->item(1, 0)->setText(QStringLiteral("120"));
    EXPECT_EQ(form.Draft().Wells[1][0], QStringLiteral("120"));
    grid->setCurrentCell(1, 0);
    Child<QPushButton>(form, "well2")->click();  // up
    EXPECT_EQ(form.Draft().Wells[0][0], QStringLiteral("120"));
    Child<QPushButton>(form, "well1")->click();
    Child<QPushButton>(form, "well1")->click();
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_FALSE(form.Confirm());
    EXPECT_EQ(errors.texts.back(), QStringLiteral("Требуется добавить одну или несколько скважин в куст"));

    // The manometer before the pump is on the side the water comes from.
    TEditDeviceForm pump(b, nullptr, dkPump, 0);
    QWidget* page = Child<QStackedWidget>(pump, "pages")->widget(0);
    const auto labelOf = [page](QLineEdit* field) {
        for (QLabel* l : page->findChildren<QLabel*>())
            if (l->buddy() == field)
                return l->text();
        return QString();
    };
    auto* first = page->findChild<QLineEdit*>(QStringLiteral("manometer1"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(labelOf(first), QStringLiteral("до"));
    for (QRadioButton* r : page->findChildren<QRadioButton*>())
        if (r->text().startsWith(QStringLiteral("к начальному")))
            r->setChecked(true);
    EXPECT_EQ(labelOf(first), QStringLiteral("после"));
}

}  // namespace

namespace {

// A branch comment of 5 000 characters made the dialog 32 767 pixels wide with OK and
// "Отмена" far off the screen: the branch box keeps a sensible width, the whole text is its
// hint.
TEST_F(DeviceDialog, LongBranchCommentKeepsTheDialogNarrow)
{
    QString remark;
    while (remark.size() < 5000)
        remark += QStringLiteral("вентиляционный штрек пласта ");
    b->SetRemark(remark);
    TEditDeviceForm form(b, nullptr, dkGate, 0);
    form.show();
    EXPECT_LT(form.sizeHint().width(), 1000);
    EXPECT_LT(form.width(), 1000);
    EXPECT_EQ(Pictures::FieldsOutside(&form), "");
    auto* box = Child<QComboBox>(form, "branchBox");
    EXPECT_LE(box->width(), form.width());
    EXPECT_EQ(box->itemData(box->currentIndex(), Qt::ToolTipRole).toString(), QStringLiteral("№1  -  ") + remark);
    Pictures::Take(&form, QStringLiteral("device-long-comment"));
}

}  // namespace
