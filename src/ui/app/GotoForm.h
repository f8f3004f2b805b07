#pragma once

// The go-to dialog ("Найти"): choose what to look for — node, branch, plan position, device of
// the fire-fighting pipe, or device by its "Номер ППЗ" — and the number (or name) from a list
// or typed; for branches also a comment. OK gives the object; an entry that does not exist
// shows "Объект не найден" and the dialog stays open. The kind chosen last is preselected the
// next time within the run.
//
// Plugging in (TMainForm, actGoto):
//     TGotoForm form(*child->Mine(), this);
//     if (form.exec() == QDialog::Accepted)
//         ShowGotoTarget(form.Kind(), form.Object());   // node/branch row, position, device editor
// and when the object cannot be shown: MessageBoxes::Info(this, GotoMissText(form.Kind())).

#include "core/model/GotoList.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QRadioButton;
class TMine;
class TMineObject;

class TGotoForm : public QDialog {
    Q_OBJECT
public:
    explicit TGotoForm(const TMine& mine, QWidget* parent = nullptr);

    GotoKind Kind() const;
    // The object found by OK; null before that.
    TMineObject* Object() const { return object_; }

    // Set by the dialog, read by the next one.
    static GotoKind LastKind();
    static void SetLastKind(GotoKind kind);

    QComboBox* KindBox() const { return kindBox_; }
    QComboBox* NumberBox() const { return numberBox_; }
    QComboBox* CommentBox() const { return commentBox_; }
    QRadioButton* NumberButton() const { return numberButton_; }
    QRadioButton* CommentButton() const { return commentButton_; }

public slots:
    void accept() override;

private:
    void FillLists();
    void UpdateCriteria();

    const TMine& mine_;
    QComboBox* kindBox_;
    QRadioButton* numberButton_;
    QRadioButton* commentButton_;
    QComboBox* numberBox_;
    QComboBox* commentBox_;
    std::vector<GotoEntry> numbers_;
    std::vector<GotoEntry> comments_;
    TMineObject* object_ = nullptr;
};
