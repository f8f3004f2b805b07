#pragma once

// The node and branch property windows: read-only descriptions of one node or one branch with
// its pipes and devices, bound to a document. They follow the object they are given, and let
// go of it (empty, with the caption "Свойства узла" / "Свойства ветви") when it is deleted or
// its document closes, so they never show a freed object: they watch the mine, drop what
// goes at once and fill themselves again afterwards. Result fields stay empty and greyed
// while the document holds no results.

#include "core/model/MineWatch.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QCheckBox;
class QListWidget;
class QTabWidget;
class QButtonGroup;
class QPushButton;
class THydroResults;
class TSectionChart;
class TBranch;
class TChildForm;
class TDevice;
class TMineObject;
class TUzel;

class TUzelPropForm : public QDialog {
    Q_OBJECT
public:
    explicit TUzelPropForm(QWidget* parent = nullptr);
    void Bind(TChildForm* document, TUzel* uzel);
    TUzel* Uzel() const { return uzel_; }
    QString Field(const QString& name) const;
    // Modal, captioned "Узел № %d" (the branch window's "..." buttons).
    static void ShowModal(QWidget* parent, TChildForm* document, TUzel* uzel);

private:
    void Refresh();

    QPointer<TChildForm> document_;
    TUzel* uzel_ = nullptr;
    TMineWatcher watch_;
    QLineEdit* x_ = nullptr;
    QLineEdit* y_ = nullptr;
    QLineEdit* z_ = nullptr;
    QCheckBox* surface_ = nullptr;
    QLineEdit* incident_ = nullptr;
    QLineEdit* pressure_ = nullptr;
};

class TBranchPropForm : public QDialog {
    Q_OBJECT
public:
    struct THooks {
        std::function<void(TBranch*)> EditPipe;
        std::function<void(TDevice*)> EditDevice;
    };
    TBranchPropForm(THooks hooks, QWidget* parent = nullptr);
    void Bind(TChildForm* document, TBranch* branch);
    TBranch* Branch() const { return branch_; }
    QTabWidget* Pages() const { return pages_; }
    QComboBox* PipeBox() const { return pipeBox_; }
    QComboBox* DevicePipeBox() const { return devicePipeBox_; }
    QListWidget* DeviceList() const { return devices_; }
    QString Field(const QString& name) const;
    // The sections page (and its chart) shows only while the document holds results.
    // The document's calculation results, or null: the sections page shows them.
    void SetResults(const THydroResults* results);
    TSectionChart* Chart() const { return chart_; }
    // The chart shows this quantity (0–10) of every section.
    void ChooseQuantity(int index);

private:
    void Refresh();
    void ObjectGone(const TMineObject* gone);
    void ShowSections();
    void ShowSection();
    void ShowPipe();
    void ShowDevices();
    void ShowDevice();

    THooks hooks_;
    QPointer<TChildForm> document_;
    TBranch* branch_ = nullptr;
    TMineWatcher watch_;
    bool refreshPending_ = false;
    QTabWidget* pages_ = nullptr;
    QFormLayout* branchForm_ = nullptr;
    QComboBox* pipeBox_ = nullptr;
    QFormLayout* pipeForm_ = nullptr;
    QLabel* resistance_ = nullptr;
    QComboBox* devicePipeBox_ = nullptr;
    QListWidget* devices_ = nullptr;
    QLabel* deviceCount_ = nullptr;
    QFormLayout* deviceForm_ = nullptr;
    QWidget* sectionsPage_ = nullptr;
    QListWidget* sections_ = nullptr;
    QLabel* sectionCount_ = nullptr;
    QFormLayout* sectionForm_ = nullptr;
    TSectionChart* chart_ = nullptr;
    QWidget* sectionData_ = nullptr;
    QPushButton* chartButton_ = nullptr;
    QButtonGroup* quantities_ = nullptr;
    const THydroResults* results_ = nullptr;
};
