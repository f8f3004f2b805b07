#pragma once

// "Трансформация": moves the nodes of a mine (all of them, or the selected ones) by shift and
// scale, rotation about a centre, or exchange of the X and Y axes, on the geometry and the
// schema or on the schema only. The dialog collects the values; the core moves the nodes.

#include "core/services/NodeTransform.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TAngleDial;
class TChildForm;
class TEditHistory;
class TMine;
class TUzel;

class TTransForm : public QDialog {
    Q_OBJECT
public:
    // selectedArea: start with "Выделенные узлы"; current: the node that stands for an empty
    // selection; schemaFactor: schema units per metre.
    TTransForm(TMine& mine, bool selectedArea, TUzel* current, double schemaFactor, QWidget* parent = nullptr);
    ~TTransForm() override;

    // The request of the active page, or none after a field was refused.
    std::optional<TTransformRequest> Request();
    // OK records the transformation as one step of this history (none: not recorded).
    void SetHistory(TEditHistory* history) { history_ = history; }

    QTabWidget* Pages() const { return pages_; }
    QRadioButton* WholeMine() const { return wholeMine_; }
    QRadioButton* SelectedNodes() const { return selectedNodes_; }
    QLabel* CountLabel() const { return countLabel_; }
    QCheckBox* SchemaOnly() const { return schemaOnly_; }
    QCheckBox* ScaleBox() const { return scaleBox_; }
    QCheckBox* ShiftBox() const { return shiftBox_; }
    QLineEdit* ScaleField(int axis) const { return k_[axis]; }
    QLineEdit* ShiftField(int axis) const { return d_[axis]; }
    QDoubleSpinBox* AngleField() const { return angle_; }
    QLineEdit* CentreX() const { return x0_; }
    QLineEdit* CentreY() const { return y0_; }
    TAngleDial* Dial() const { return dial_; }

public slots:
    void accept() override;

private:
    QWidget* BuildShiftPage();
    QWidget* BuildRotatePage();
    QWidget* BuildSwapPage();
    void UpdateState();
    void TakeMineCentre();

    TMine& mine_;
    TEditHistory* history_ = nullptr;
    TUzel* current_;
    double schemaFactor_;
    QTabWidget* pages_;
    QRadioButton* wholeMine_;
    QRadioButton* selectedNodes_;
    QLabel* countLabel_;
    QCheckBox* schemaOnly_;
    QCheckBox* scaleBox_ = nullptr;
    QCheckBox* shiftBox_ = nullptr;
    QLineEdit* k_[3] = {};
    QLineEdit* d_[3] = {};
    QDoubleSpinBox* angle_ = nullptr;
    TAngleDial* dial_ = nullptr;
    QLineEdit* x0_ = nullptr;
    QLineEdit* y0_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// Opens the dialog for the document's mine; true when the nodes were transformed.
bool TransformNodes(QWidget* parent, TChildForm& document);
