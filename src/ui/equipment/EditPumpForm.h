#pragma once

#include "core/equipment/PumpCurve.h"
#include "core/equipment/PumpList.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTableWidget;
class TPumpGraph;

// The pump window "Насосы": the database editor (models and their base points) or, with a
// characteristic to fill, the chooser of a model and two operating points on its curve. Every
// opening reads the database folder; closing with "&Закрыть" or "&Вставить" saves it when
// anything changed.
class TEditPumpForm : public QDialog {
    Q_OBJECT
public:
    // chosen: the chooser's result (null opens the editor); model: the model to select first.
    TEditPumpForm(const QString& folder, TPumpCharacteristic* chosen, const QString& model = {},
                  QWidget* parent = nullptr);
    ~TEditPumpForm() override;

    // The input box of the model commands: caption, prompt, text to start with; nothing when
    // cancelled. Tests answer it.
    using TAskText = std::function<std::optional<QString>(const QString&, const QString&, const QString&)>;
    void SetAskText(TAskText ask) { askText_ = std::move(ask); }

    bool EditorMode() const;
    TPumpList& Database() { return list_; }
    TPumpStore* CurrentStore() const;
    void SelectModel(const QString& name);

    // The model commands of the buttons.
    void AddModel();
    void RenameModel();
    void CopyModel();
    void DeleteModel();

    // The closing buttons: "&Закрыть" and "&Вставить" (which fills the characteristic).
    void CloseSaving();
    void Insert();
    // Every other way out (Esc, "Отмена", the window's close button) asks first when the
    // database holds unsaved changes: "Да" saves, "Нет" drops them, "Отмена" stays.
    void reject() override;

    TPumpGraph* Graph() const { return graph_; }
    QTableWidget* PointGrid() const { return grid_; }
    QListWidget* ModelList() const { return models_; }
    QLineEdit* RangeEdit(TPumpRange r) const { return ranges_[r]; }
    QScrollBar* FlowBar(int which) const { return bars_[which - 1]; }
    QLineEdit* FlowEdit(int which) const { return flowEdits_[which - 1]; }
    QLabel* FitLabel(int which) const { return fitLabels_[which]; }  // H1, H2, A, B
    QPushButton* InsertButton() const { return insert_; }
    QCheckBox* EditorBox() const { return editorBox_; }
    QPushButton* ModelButton(int which) const { return modelButtons_[which]; }
    QLabel* PointerLabel() const { return pointer_; }

    // Applies a typed grid value (column 0 flow, 1 head); refusals show their message.
    void ApplyGridText(int row, int column, const QString& text);
    // Asks and deletes the current row's point.
    void DeleteCurrentPoint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void LoadFolder();
    void FillModels(const QString& select);
    void ShowStore();
    void FillGrid(int currentRow);
    void FillRanges();
    void ResetBars();
    void UpdateFit();
    void UpdateEnabled();
    void RangeEdited(TPumpRange r, const QString& text);
    void FlowTyped(int which);
    bool SaveIfChanged();
    std::optional<QString> AskText(const QString& caption, const QString& prompt, const QString& text);

    QString folder_;
    TPumpCharacteristic* chosen_;
    TPumpList list_;
    TAskText askText_;
    std::optional<TPumpFit> fit_;
    bool filling_ = false;

    QListWidget* models_ = nullptr;
    QPushButton* modelButtons_[4] = {};
    QLineEdit* ranges_[4] = {};
    QTableWidget* grid_ = nullptr;
    TPumpGraph* graph_ = nullptr;
    QLabel* pointer_ = nullptr;
    QScrollBar* bars_[2] = {};
    QLineEdit* flowEdits_[2] = {};
    QLabel* fitLabels_[4] = {};
    QCheckBox* editorBox_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Opens the chooser with a characteristic to fill, or the editor without one; true when the
// user pressed "&Вставить" (model and characteristic filled then).
bool ChoosePump(const QString& folder, QString& model, TPumpCharacteristic* characteristic, QWidget* parent = nullptr);
