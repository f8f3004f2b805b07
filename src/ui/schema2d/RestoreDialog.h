#pragma once

// "Восстановление данных": what "Восстановить..." puts back on the schema.

#include <QDialog>

class QPushButton;
class QRadioButton;

class TRestoreDialog : public QDialog {
    Q_OBJECT
public:
    enum TChoice { rcNone, rcAll, rcOrder, rcLabels };

    explicit TRestoreDialog(QWidget* parent = nullptr);
    TChoice Choice() const;
    void SetChoice(TChoice choice);

private:
    QRadioButton* all_;
    QRadioButton* order_;
    QRadioButton* labels_;
    QPushButton* ok_;
};
