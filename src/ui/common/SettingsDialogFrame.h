#pragma once

// The frame the two tabbed settings dialogs share (the program settings and the schema
// options): the pages above one row of buttons, the dialog's own buttons first, then "&ОК",
// "О&тмена" and "&Справка" at the right. OK is the only default button, so Enter in a field
// means OK and never a profile or reset button.

#include <QList>

#include <functional>

class QDialog;
class QPushButton;
class QTabWidget;

struct TSettingsDialogButtons {
    QPushButton* Ok = nullptr;
    QPushButton* Cancel = nullptr;
    QPushButton* Help = nullptr;
};

namespace SettingsDialogFrame {

// Lays out the dialog: OK accepts, "О&тмена" rejects, "&Справка" calls help. The pages are
// shown on `page` (clamped to the pages there are), the one remembered from the last opening.
TSettingsDialogButtons Lay(QDialog* dialog, QTabWidget* pages, int page, const QList<QPushButton*>& leading,
                           const std::function<void()>& help);

}  // namespace SettingsDialogFrame
