#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;
class TEditHistory;
class TMine;

namespace DiamColorTexts {
inline const QString kNoPipes = QStringLiteral("Отсутствуют данные по трубам");
}

// "Редактор цветов": the colour of every pipe diameter of the mine, one line a diameter with
// its swatch; "&Цвет" gives the selected diameter another colour, and every water pipe of that
// diameter takes it at once.
class TfrmEditDiamColors : public QDialog {
    Q_OBJECT
public:
    TfrmEditDiamColors(TMine& mine, QWidget* parent);
    ~TfrmEditDiamColors() override;

    // Opens the editor on the mine, or says "Отсутствуют данные по трубам" when no pipe has a
    // diameter yet.
    // Each colour given is one step of the history (none: not recorded).
    static void Run(TMine& mine, QWidget* parent, TEditHistory* history = nullptr);
    void SetHistory(TEditHistory* history) { history_ = history; }

    // Stores the colour for the selected diameter (what "&Цвет" does once a colour is picked).
    void ColorSelected(const QColor& color);
    QListWidget* List() const { return list_; }

private:
    void Fill();
    void UpdateButton();

    TMine& mine_;
    TEditHistory* history_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* color_ = nullptr;
};
