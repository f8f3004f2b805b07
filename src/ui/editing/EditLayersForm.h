#pragma once

// "Пласты": the mine's seams (page "&Пласты") and emergency-plan positions (page
// "По&зиции ПЛА") in one list of names with colour swatches; add, rename, delete and colour
// the item selected. The rules live in core/services/LayerEdits.h.
//
// Plugging in: TEditLayersForm form(mine, TLayerKind::Seams or ::Positions, parent);
// form.SetHistory(history); form.exec().

#include "core/services/LayerEdits.h"

#include <QColor>
#include <QDialog>

class QListWidget;
class QPushButton;
class QTabBar;
class TEditHistory;
class TMine;

class TEditLayersForm : public QDialog {
    Q_OBJECT
public:
    TEditLayersForm(TMine& mine, TLayerKind page, QWidget* parent = nullptr);

    TLayerKind Page() const { return page_; }
    void SetPage(TLayerKind page);
    // Each addition, renaming, removal and colour is one step of this history (none: not
    // recorded).
    void SetHistory(TEditHistory* history) { history_ = history; }
    QListWidget* List() const { return list_; }
    QTabBar* Tabs() const { return tabs_; }
    QPushButton* RenameButton() const { return rename_; }
    QPushButton* RemoveButton() const { return remove_; }
    QPushButton* ColorButton() const { return color_; }

    // What the buttons do once the name or colour is known (the buttons ask for it).
    void AddNamed(const QString& name);
    void RenameSelected(const QString& name);
    void RemoveSelected();  // asks first
    void ColorSelected(const QColor& color);

private:
    void Fill(int select);
    void UpdateButtons();
    // The duplicate's item is selected and the information box shown.
    void Answer(const LayerEdits::TNameResult& result);
    QString AskName(const QString& current);

    TMine& mine_;
    TEditHistory* history_ = nullptr;
    TLayerKind page_;
    QTabBar* tabs_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* rename_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* color_ = nullptr;
};
