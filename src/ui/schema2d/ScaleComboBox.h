#pragma once

#include <QComboBox>

// The scale box of the schema window: the zoom table's first 19 values as "3000%" … "5%",
// editable. A chosen entry or a typed value confirmed with Enter asks for that scale; a typed
// value it refuses is told in an error box and the box shows the current scale again. Esc
// puts the current scale back. Space while the list is open makes the highlighted entry the
// largest symbol factor; that entry carries an icon.
class TScaleComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TScaleComboBox(QWidget* parent = nullptr);

    // The scale shown when nothing is being typed.
    void ShowScale(double scale);
    double ShownScale() const { return shown_; }
    // Marks the entry equal to the symbol-factor limit.
    void MarkMaxLimScale(double scale);
    // What Enter does with the typed text (tests type and confirm through here too).
    void ConfirmText();

    void showPopup() override;
    void hidePopup() override;

signals:
    void ScaleChosen(double scale);
    void MaxLimScaleChosen(double scale);
    // The list opened or closed (the status bar tells what Space does meanwhile).
    void PopupVisible(bool visible);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RestoreText();

    double shown_ = 1;
};
