#pragma once

// "Информация о шахте": the mine statistics as a read-only two-column list, group heads in
// bold; "&ОК" closes. The rows come from core/services/MineStatistics.h.
//
// Plugging in: TStatisticaForm(*doc.Mine(), path, version, parent).exec().

#include <QDialog>

class QTreeWidget;
class TMine;

class TStatisticaForm : public QDialog {
    Q_OBJECT
public:
    TStatisticaForm(const TMine& mine, const QString& filePath, int formatVersion, QWidget* parent = nullptr);

    QTreeWidget* List() const { return list_; }

private:
    QTreeWidget* list_ = nullptr;
};
