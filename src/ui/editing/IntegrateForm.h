#pragma once

// "Объединение шахт": the base mine (the active document) and an attached mine chosen among
// the other open documents, the first numbers of the attached mine's nodes and branches and
// its plan offset. The core builds the merged document; a new window shows it only once it
// is complete.

#include "core/services/MineMerge.h"

#include <QDialog>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTreeWidget;
class TChildForm;
class TMine;

// An open document offered for merging.
struct TMergeCandidate {
    const TMine* Mine = nullptr;
    QString FileName;  // empty for a document never saved
};

class TIntegrateForm : public QDialog {
    Q_OBJECT
public:
    TIntegrateForm(const TMergeCandidate& base, std::vector<TMergeCandidate> others, double schemaFactor,
                   QWidget* parent = nullptr);

    // After OK: the attached mine and the request.
    const TMine* Attached() const;
    const TMergeRequest& Request() const { return request_; }

    QComboBox* AttachedBox() const { return attachedBox_; }
    QRadioButton* UzelsFromMax() const { return uzelsFromMax_; }
    QRadioButton* UzelsFromTyped() const { return uzelsFromTyped_; }
    QLineEdit* FirstUzel() const { return firstUzel_; }
    QRadioButton* BranchesFromMax() const { return branchesFromMax_; }
    QRadioButton* BranchesFromTyped() const { return branchesFromTyped_; }
    QLineEdit* FirstBranch() const { return firstBranch_; }
    QLineEdit* Dx() const { return dx_; }
    QLineEdit* Dy() const { return dy_; }
    QTreeWidget* BaseSurface() const { return baseSurface_; }
    QTreeWidget* AttachedSurface() const { return attachedSurface_; }

public slots:
    void accept() override;

private:
    void AttachedChanged();
    void UpdateDistance();
    void UpdateNumbering();
    // The typed first number, or the field reset to the default with the message.
    std::optional<int> FirstNumber(QRadioButton* fromMax, QLineEdit* field, int smallest, const QString& message);

    TMergeCandidate base_;
    std::vector<TMergeCandidate> others_;
    TMergeRequest request_;
    int defaultUzel_;
    int defaultBranch_;
    QComboBox* attachedBox_;
    QLabel* attachedFile_;
    QTreeWidget* baseSurface_;
    QTreeWidget* attachedSurface_;
    QLabel* distance_;
    QRadioButton* uzelsFromMax_;
    QRadioButton* uzelsFromTyped_;
    QLineEdit* firstUzel_;
    QRadioButton* branchesFromMax_;
    QRadioButton* branchesFromTyped_;
    QLineEdit* firstBranch_;
    QLineEdit* dx_;
    QLineEdit* dy_;
};

// Checks the preconditions, shows the dialog and builds the merged document from the base
// document and the chosen one; none when refused or cancelled (the user has been told why).
std::optional<TNetworkDocument> MergeMines(QWidget* parent, TChildForm& base, const QList<TChildForm*>& documents);
