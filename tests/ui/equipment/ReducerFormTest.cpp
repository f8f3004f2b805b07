#include "support/TempDir.h"
#include "ui/document/DocumentTestSupport.h"

#include "core/equipment/ReducerFile.h"
#include "ui/common/MessageBoxes.h"
#include "ui/app/MainForm.h"
#include "ui/equipment/ReducerForm.h"
#include "ui/equipment/ReducerGrid.h"
#include "ui/support/Pictures.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QAction>
#include <QApplication>
#include <QTest>
#include <QPointer>
#include <QTimer>

namespace {

using Part = TReducerCharacter::Part;

class ReducerFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MessageBoxes::SetInterceptor([this](const TMessageRecord& m) {
            shown.push_back(m);
            return answer;
        });
        TfrmEditReducer::SetInputHook([this](const QString& caption, const QString& prompt, const QString& initial) {
            asked.push_back(caption + u'|' + prompt + u'|' + initial);
            return std::optional<QString>(typed);
        });
        TReducerCharacter a;
        a.Name = QStringLiteral("РД-1");
        ReducerFile::Write(dir.file(QStringLiteral("a.rdc")), a);
        TReducerCharacter b = a;
        b.Name = QStringLiteral("РД-2");
        b.Resize(3, 4);
        b.SetInlet(2, 70);
        b.SetLocking(2, 40);
        b.SetFlow(2, 150);
        b.SetFlow(3, 200);
        b.SetOutlet(2, 0, 30);
        ReducerFile::Write(dir.file(QStringLiteral("b.rdc")), b);
    }
    void TearDown() override
    {
        MessageBoxes::SetInterceptor({});
        TfrmEditReducer::SetInputHook({});
    }

    // Types into a grid cell and leaves the editor open, as a person would before clicking.
    static void Type(TReducerGrid* grid, Part part, int row, int col, const QString& text)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // editors closed before
        const QPoint cell = TReducerGrid::CellOf(part, row, col);
        grid->editItem(grid->item(cell.y(), cell.x()));
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
    }
    static QString Text(TReducerGrid* grid, Part part, int row, int col)
    {
        const QPoint cell = TReducerGrid::CellOf(part, row, col);
        return grid->item(cell.y(), cell.x())->text();
    }

    TestTempDir dir;
    std::vector<TMessageRecord> shown;
    std::vector<QString> asked;
    TMsgAnswer answer = TMsgAnswer::Yes;
    QString typed;
};

}  // namespace

TEST_F(ReducerFormTest, DatabaseEditorAppliesWhatIsShownAndSaves)
{
    TfrmEditReducer form(TfrmEditReducer::EditBase, dir.path(), TReducerCharacter(), 0);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Редактирование БД гидроредукторов"));
    ASSERT_EQ(form.ModelBox()->count(), 2);
    EXPECT_EQ(form.ModelBox()->currentText(), QStringLiteral("РД-1"));
    EXPECT_FALSE(form.SelectorPanel()->isVisibleTo(&form));
    EXPECT_EQ(Text(form.Grid(), Part::Outlet, 1, 0), QStringLiteral("28.6"));
    EXPECT_EQ(form.OkButton()->text(), QStringLiteral("&Записать"));

    // Typing enters the editing state; clicking "&Применить" stores the open cell first.
    Type(form.Grid(), Part::Outlet, 1, 0, QStringLiteral("30,25"));
    EXPECT_TRUE(form.Editing());
    EXPECT_EQ(form.OkButton()->text(), QStringLiteral("&Применить"));
    EXPECT_EQ(form.CancelButton()->text(), QStringLiteral("&Сброс"));
    EXPECT_TRUE(form.OkButton()->font().bold());
    EXPECT_FALSE(form.ModelBox()->isEnabled());
    EXPECT_FALSE(form.AddButton()->isEnabled());
    form.OkButton()->click();
    EXPECT_FALSE(form.Editing());
    EXPECT_EQ(form.Database().Model(0).Character.Outlet(1, 0), 30.25);
    EXPECT_EQ(Text(form.Grid(), Part::Outlet, 1, 0), QStringLiteral("30.3"));

    form.OkButton()->click();  // "&Записать"
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(ReducerFile::Read(dir.file(QStringLiteral("a.rdc"))).Outlet(1, 0), 30.25);
    EXPECT_TRUE(shown.empty());
}

TEST_F(ReducerFormTest, ValidationSelectsTheCellEscAndResetRestore)
{
    TfrmEditReducer form(TfrmEditReducer::EditBase, dir.path(), TReducerCharacter(), 0);
    Type(form.Grid(), Part::Flow, 0, 1, QStringLiteral("10"));  // flows 10 and 10
    form.OkButton()->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, QStringLiteral("Неверно указана величина расхода"));
    EXPECT_TRUE(form.Editing());
    EXPECT_EQ(form.Grid()->currentRow(), TReducerGrid::kFlowRow);
    EXPECT_EQ(form.Grid()->currentColumn(), TReducerGrid::kFirstValueColumn + 1);
    EXPECT_EQ(form.Database().Model(0).Character.Flow(1), 100.0);  // the model is unchanged
    form.CancelButton()->click();  // "&Сброс"
    EXPECT_FALSE(form.Editing());
    EXPECT_EQ(Text(form.Grid(), Part::Flow, 0, 1), QStringLiteral("100.0"));

    // Enter keeps an editor with a text that is not a number open; leaving it keeps the value.
    Type(form.Grid(), Part::Outlet, 0, 1, QStringLiteral("1..2"));
    QPointer<QLineEdit> editor = form.Grid()->viewport()->findChild<QLineEdit*>();
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor && form.Grid()->HasOpenEditor());
    form.Grid()->CommitOpenEditor();
    EXPECT_EQ(Text(form.Grid(), Part::Outlet, 0, 1), QStringLiteral("0.0"));
    form.CancelButton()->click();

    // Esc gives the cell its text back and the window its previous state.
    Type(form.Grid(), Part::Inlet, 0, 0, QStringLiteral("99"));
    QTest::keyClick(form.Grid()->viewport()->findChild<QLineEdit*>(), Qt::Key_Escape);
    EXPECT_FALSE(form.Grid()->HasOpenEditor());
    EXPECT_FALSE(form.Editing());
    EXPECT_EQ(Text(form.Grid(), Part::Inlet, 0, 0), QStringLiteral("16.0"));
    EXPECT_EQ(form.Working().Inlet(0), 16.0);

    // Fewer ranges ask first; "No" changes nothing.
    form.PressureRanges()->setValue(3);
    form.FlowRanges()->setValue(1);  // below the least: stays 2
    form.SetRangesButton()->click();
    EXPECT_TRUE(form.Editing());
    EXPECT_EQ(form.Grid()->rowCount(), TReducerGrid::kFirstRow + 3);
    answer = TMsgAnswer::No;
    form.PressureRanges()->setValue(2);
    form.SetRangesButton()->click();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].Caption, QStringLiteral("Характеристики гидроредуктора"));
    EXPECT_EQ(shown[1].Text, QStringLiteral("Количество диапазонов по давлению будет уменьшено.\r\nПродолжить?"));
    EXPECT_EQ(form.Working().NP(), 3);
}

TEST_F(ReducerFormTest, ModelButtonsRefuseTakenNamesAndDeleteOnSave)
{
    TfrmEditReducer form(TfrmEditReducer::EditBase, dir.path(), TReducerCharacter(), 0);
    typed = QStringLiteral("рд-2");
    form.AddButton()->click();
    form.RenameButton()->click();  // "РД-1" onto another model's name
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Text, QStringLiteral("Гидроредуктор рд-2 в базе данных уже существует"));
    EXPECT_EQ(shown[1].Text, shown[0].Text);
    EXPECT_EQ(asked[0], QStringLiteral("Гидроредуктор|Введите модель гидроредуктора|"));
    EXPECT_EQ(asked[1], QStringLiteral("Гидроредуктор|Введите модель гидроредуктора|РД-1"));
    EXPECT_EQ(form.ModelBox()->itemText(0), QStringLiteral("РД-1"));

    typed = QStringLiteral("Новый");
    form.CopyButton()->click();
    EXPECT_EQ(form.ModelBox()->count(), 3);
    EXPECT_EQ(form.ModelBox()->currentText(), QStringLiteral("Новый"));
    form.ModelBox()->setCurrentIndex(1);
    form.DeleteButton()->click();
    EXPECT_EQ(shown.back().Text, QStringLiteral("Удалить гидроредуктор РД-2 из базы данных?"));
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("b.rdc"))));
    form.OkButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("a.rdc"), QStringLiteral("Новый.rdc")}));
}

TEST_F(ReducerFormTest, ChooserInterpolatesAndRefusesPressuresOutsideTheTable)
{
    QFile damaged(dir.file(QStringLiteral("c.rdc")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(ReducerFile::Encode(TReducerCharacter()).left(30));
    damaged.close();
    TfrmEditReducer form(TfrmEditReducer::Choose, dir.path(), TReducerCharacter(), 0);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Установка гидроредуктора в сеть"));
    ASSERT_EQ(shown.size(), 1u);  // the damaged file is named and left out
    EXPECT_EQ(shown[0].Text, QStringLiteral("Ошибка при чтении данных из файла c.rdc"));
    EXPECT_EQ(form.ModelBox()->count(), 2);
    shown.clear();
    EXPECT_FALSE(form.AddButton()->isVisibleTo(&form));
    EXPECT_EQ(form.Grid()->editTriggers(), QAbstractItemView::NoEditTriggers);

    QTest::keyClicks(form.LockingEdit(), QStringLiteral("20"));
    EXPECT_EQ(form.InletEdit()->text(), QStringLiteral("38.0"));
    ASSERT_EQ(form.OutletRow()->columnCount(), 2);
    EXPECT_EQ(form.OutletRow()->item(0, 0)->text(), QStringLiteral("17.95"));
    EXPECT_EQ(form.OutletRow()->item(0, 1)->text(), QStringLiteral("4.00"));
    EXPECT_EQ(form.Grid()->ShadedRow(), 0);

    form.LockingEdit()->clear();
    QTest::keyClicks(form.LockingEdit(), QStringLiteral("7.9"));
    EXPECT_TRUE(form.InletEdit()->text().isEmpty());
    EXPECT_EQ(form.OutletRow()->item(0, 0), nullptr);
    form.OkButton()->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, QStringLiteral("Указанное давление запирания выходит за границы, указанные в характеристике"));
    EXPECT_NE(form.result(), QDialog::Accepted);

    // By the inlet pressure: the locking pressure follows, the row at 60 is framed.
    form.ModelBox()->setCurrentIndex(1);
    QTest::keyClicks(form.InletEdit(), QStringLiteral("60"));
    EXPECT_EQ(form.LockingEdit()->text(), QStringLiteral("32.0"));
    EXPECT_EQ(form.Grid()->FramedRow(), 1);
    form.OkButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Result().Name, QStringLiteral("РД-2"));
    EXPECT_EQ(form.Result().NQ(), 4);
    EXPECT_EQ(form.LockingPressure(), 32.0);
}

TEST_F(ReducerFormTest, InstalledCharacteristicIsEditedAndReturned)
{
    TReducerCharacter installed;
    installed.Name = QStringLiteral("Установленный");
    TfrmEditReducer form(TfrmEditReducer::EditInstalled, QString(), installed, 8);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Изменение характеристики установленного гидроредуктора"));
    EXPECT_FALSE(form.ModelBox()->isEnabled());
    EXPECT_EQ(form.Grid()->FramedRow(), 0);
    EXPECT_EQ(form.InletEdit()->text(), QStringLiteral("16.0"));

    Type(form.Grid(), Part::Locking, 0, 0, QStringLiteral("6"));
    EXPECT_FALSE(form.SelectorPanel()->isEnabled());
    form.OkButton()->click();  // applies
    EXPECT_TRUE(form.SelectorPanel()->isEnabled());
    form.LockingEdit()->setText(QStringLiteral("7"));
    emit form.LockingEdit()->textEdited(QStringLiteral("7"));
    form.OkButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Result().Locking(0), 6.0);
    EXPECT_EQ(form.Result().Name, QStringLiteral("Установленный"));
    EXPECT_EQ(form.LockingPressure(), 7.0);
}

// Edits are never dropped without a word: Esc leaves the editing state first ("&Сброс"), and
// leaving the window with unsaved models asks, whether by Esc, "Отмена" or the close button.
TEST_F(ReducerFormTest, LeavingWithUnsavedChangesAsks)
{
    TfrmEditReducer form(TfrmEditReducer::EditBase, dir.path(), TReducerCharacter(), 0);
    form.show();
    typed = QStringLiteral("РД-3");
    form.AddButton()->click();
    ASSERT_EQ(form.ModelBox()->currentText(), QStringLiteral("РД-3"));

    answer = TMsgAnswer::Cancel;
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown.back().Text, QStringLiteral("Сохранить изменения в базе данных гидроредукторов?"));
    EXPECT_EQ(shown.back().Buttons, TMsgButtons::YesNoCancel);

    // The close button while a cell is being typed asks too, instead of resetting quietly.
    Type(form.Grid(), Part::Outlet, 0, 0, QStringLiteral("7,5"));
    ASSERT_TRUE(form.Editing());
    EXPECT_FALSE(form.close());
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_TRUE(form.isVisible());

    answer = TMsgAnswer::Yes;  // applies the open edit, then writes as "&Записать" does
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    TReducerDatabase saved(dir.path());
    saved.Load();
    const int added = saved.IndexOf(QStringLiteral("РД-3"));
    ASSERT_GE(added, 0);
    EXPECT_EQ(saved.Model(added).Character.Outlet(0, 0), 7.5);

    // "Нет" drops them; an unchanged database closes without a question.
    TfrmEditReducer second(TfrmEditReducer::EditBase, dir.path(), TReducerCharacter(), 0);
    second.show();
    const size_t before = shown.size();
    second.reject();
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(shown.size(), before);
}

// A model added to an empty database shows its table in the active colours at once: the grid
// was off while there was nothing to show, and its titles and flows kept the grey of that.
TEST_F(ReducerFormTest, NewModelInAnEmptyDatabaseIsNotGreyed)
{
    TestTempDir empty;
    TfrmEditReducer form(TfrmEditReducer::EditBase, empty.path(), TReducerCharacter(), 0);
    form.show();
    EXPECT_FALSE(form.Grid()->isEnabled());
    typed = QStringLiteral("Новый");
    form.AddButton()->click();
    ASSERT_TRUE(form.Grid()->isEnabled());
    const QPalette& pal = form.Grid()->palette();
    const QPoint flow = TReducerGrid::CellOf(Part::Flow, 0, 0);
    const QVariant flowInk = form.Grid()->item(flow.y(), flow.x())->data(Qt::ForegroundRole);
    EXPECT_TRUE(!flowInk.isValid() || flowInk.value<QBrush>().color() == pal.color(QPalette::Active, QPalette::Text));
    EXPECT_EQ(form.Grid()->item(TReducerGrid::kFirstRow, 0)->foreground().color(),
              pal.color(QPalette::Active, QPalette::ButtonText));
    Pictures::Take(&form, QStringLiteral("reducer-new-model"));
}

TEST_F(ReducerFormTest, PicturesOfTheThreeModes)
{
    for (const auto mode : {TfrmEditReducer::EditBase, TfrmEditReducer::Choose, TfrmEditReducer::EditInstalled}) {
        TReducerCharacter installed;
        installed.Name = QStringLiteral("Установленный");
        TfrmEditReducer form(mode, dir.path(), installed, 20);
        form.resize(620, 380);
        form.show();
        if (mode == TfrmEditReducer::EditBase) {  // pictured while editing
            form.FlowRanges()->setValue(3);
            form.SetRangesButton()->click();
        }
        if (mode == TfrmEditReducer::Choose) {
            form.ModelBox()->setCurrentIndex(1);
            QTest::keyClicks(form.LockingEdit(), QStringLiteral("36"));
        }
        QTest::qWait(20);
        const QImage picture = Pictures::Take(&form, QStringLiteral("reducer-mode-%1").arg(int(mode)));
        EXPECT_EQ(Pictures::FieldsOutside(&form), "") << int(mode);
        // The upright titles are painted in the title cells of the pressure columns.
        const QRect title = form.Grid()->visualRect(form.Grid()->model()->index(0, 2)).translated(
            form.Grid()->viewport()->mapTo(&form, QPoint()));
        EXPECT_GT(Pictures::InkPixels(picture, title), 30) << int(mode);
        form.close();
    }
}

namespace {
using ReducerCommand = DocumentTest;
}

TEST_F(ReducerCommand, TheMainWindowOpensTheDatabaseOfItsFolder)
{
    TReducerCharacter c;
    c.Name = QStringLiteral("Из папки");
    QDir().mkpath(FilePath(QStringLiteral("db")));
    ReducerFile::Write(FilePath(QStringLiteral("db/c.rdc")), c);
    config.DBPath = FilePath(QStringLiteral("db/"));
    TMainForm main(config);
    QString title, model;
    QTimer::singleShot(0, [&] {
        if (auto* form = qobject_cast<TfrmEditReducer*>(QApplication::activeModalWidget())) {
            title = form->windowTitle();
            model = form->ModelBox()->currentText();
            form->reject();
        }
    });
    main.Action(QStringLiteral("actEditRedDB"))->trigger();
    EXPECT_EQ(title, QStringLiteral("Редактирование БД гидроредукторов"));
    EXPECT_EQ(model, QStringLiteral("Из папки"));
}
