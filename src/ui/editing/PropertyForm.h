#pragma once

// "Свойства шахты": the mine's name, notes and central point, the document's dummy-node
// height (page "&Свойства") and which table columns are shown (page "&Вид"). OK stores it
// all; the schema origin follows the central point so the drawing keeps its place.
//
// Plugging in: TPropertyForm(childForm, parent).exec().

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class TChildForm;
class TColumnSet;

class TPropertyForm : public QDialog {
    Q_OBJECT
public:
    TPropertyForm(TChildForm& document, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return name_; }
    QPlainTextEdit* RemarkEdit() const { return remark_; }
    QSpinBox* CenterSpin(int axis) const;  // 1 = X, 2 = Y, 3 = Z
    QSpinBox* DummySpin() const { return dummy_; }
    QComboBox* PageBox() const { return pageBox_; }
    // The check lists: 0 nodes, 1 branches, 2 pipeline sections.
    QListWidget* ColumnList(int table) const;
    QTabWidget* Tabs() const { return tabs_; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildPropertiesPage();
    QWidget* BuildViewPage();

    TChildForm& document_;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPlainTextEdit* remark_ = nullptr;
    QSpinBox* center_[3] = {};
    QSpinBox* dummy_ = nullptr;
    QComboBox* pageBox_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QListWidget* columns_[3] = {};
};
