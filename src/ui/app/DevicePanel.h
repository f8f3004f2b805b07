#pragma once

// The device panel on the right of the main window ("RightPanel"): the devices of the
// document's current branch, filtered by type, and the seam and plan position boxes of
// the branches being worked on, each with a lock button that makes the chosen entry the
// default new branches of the document receive.
//
// Plugging in (TMainForm): put the panel into a dock on the right, call SetDocument with
// the active document window (null when none is active), open the device editor on
// EditDeviceRequested, and enable the device commands from SelectedDevice() whenever
// SelectionChanged arrives; DeviceKind() is the kind a new device gets.

#include <QHash>
#include <QIcon>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <utility>
#include <vector>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QToolButton;
class TBranch;
class TChildForm;
class TDevice;

namespace DevicePanelTexts {
inline const QString kNone = QStringLiteral("Не определен");
inline const QString kLockLayerHint = QStringLiteral("Пласт по умолчанию");
inline const QString kLockPLFHint = QStringLiteral("Позиция ПЛА по умолчанию");
}  // namespace DevicePanelTexts

class TDevicePanel : public QWidget {
    Q_OBJECT
public:
    explicit TDevicePanel(QWidget* parent = nullptr);
    ~TDevicePanel() override;

    // The document the panel shows and edits; null disables and empties it. The first
    // document after none resets the type box to its first entry.
    void SetDocument(TChildForm* doc);
    TChildForm* Document() const { return doc_; }

    // The kind chosen in the type box (0 every kind).
    int DeviceKind() const;
    // The device of the selected line while it is still on the current branch; else null.
    TDevice* SelectedDevice() const;

    QComboBox* DevTypeBox() const { return devTypeBox_; }
    QListWidget* DevBox() const { return devBox_; }
    QComboBox* LayerBox() const { return cbLayer_; }
    QComboBox* PLFBox() const { return cbPLF_; }
    QToolButton* LockLayerButton() const { return btnLockLayer_; }
    QToolButton* LockPLFButton() const { return btnLockPLF_; }

signals:
    // A line of the device list was double-clicked.
    void EditDeviceRequested(TDevice* device);
    // The selected device may have changed.
    void SelectionChanged();

private:
    // One of the two seam / plan position boxes with its lock button.
    struct TChoice {
        QComboBox* box = nullptr;
        QToolButton* lock = nullptr;
        bool plf = false;
        // What the box was last filled with: names and colours, and the default index.
        std::vector<std::pair<QString, int>> entries;
        int shownDefault = -1;
        bool filled = false;
    };

    void BuildWidgets();
    // Re-reads the document: devices of the current branch, the seam and position lists.
    void Reload();
    void RefillDevices();
    void RefillChoice(TChoice& choice, bool followBranch);
    void ClearAll();
    void DocumentGone();
    void UpdateLock(TChoice& choice);
    void ChoiceActivated(TChoice& choice, int entry);
    void LockClicked(TChoice& choice, bool down);
    int DefaultOf(const TChoice& choice) const;
    void SetDefaultOf(TChoice& choice, int index);
    int BranchValueOf(const TChoice& choice, const TBranch* branch) const;
    QIcon SwatchOf(int storedColor, bool tick);

    QPointer<TChildForm> doc_;
    // The current branch the boxes were last set from.
    const TBranch* shownBranch_ = nullptr;
    uint64_t shownBranchSerial_ = 0;

    QComboBox* devTypeBox_ = nullptr;
    QListWidget* devBox_ = nullptr;
    QComboBox* cbLayer_ = nullptr;
    QToolButton* btnLockLayer_ = nullptr;
    QComboBox* cbPLF_ = nullptr;
    QToolButton* btnLockPLF_ = nullptr;
    TChoice layer_;
    TChoice plf_;
    QHash<quint64, QIcon> swatches_;
};
