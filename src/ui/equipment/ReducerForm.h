#pragma once

#include "core/equipment/ReducerDatabase.h"

#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QWidget;
class TReducerGrid;

// The reducer window ("Гидроредукторы") in its three modes:
//   0 — the database editor of the main window (the models of the DBPath folder, model buttons);
//   1 — choosing a characteristic and a locking pressure for a reducer being placed;
//   2 — editing the characteristic an installed reducer carries.
// The window collects input; the characteristic, its files and its rules live in the core.
class TfrmEditReducer : public QDialog {
    Q_OBJECT
public:
    enum Mode { EditBase = 0, Choose = 1, EditInstalled = 2 };

    // folder: the database folder (modes 0 and 1); character and locking: what mode 2 edits
    // and where mode 2 starts.
    TfrmEditReducer(Mode mode, const QString& folder, const TReducerCharacter& character, double locking,
                    QWidget* parent = nullptr);

    // After OK: the chosen or edited characteristic and the set locking pressure.
    const TReducerCharacter& Result() const { return result_; }
    double LockingPressure() const { return locking_; }

    const TReducerDatabase& Database() const { return base_; }
    const TReducerCharacter& Working() const { return working_; }
    bool Editing() const { return editing_; }

    // The input box of the model buttons: caption, prompt, initial text; nullopt on Cancel.
    // Tests answer it.
    using TInputHook = std::function<std::optional<QString>(const QString&, const QString&, const QString&)>;
    static void SetInputHook(TInputHook hook);

    TReducerGrid* Grid() const { return grid_; }
    QComboBox* ModelBox() const { return modelBox_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* RenameButton() const { return rename_; }
    QPushButton* CopyButton() const { return copy_; }
    QPushButton* DeleteButton() const { return delete_; }
    QSpinBox* PressureRanges() const { return nP_; }
    QSpinBox* FlowRanges() const { return nQ_; }
    QPushButton* SetRangesButton() const { return setRanges_; }
    QLineEdit* LockingEdit() const { return lockingEdit_; }
    QLineEdit* InletEdit() const { return inletEdit_; }
    QTableWidget* OutletRow() const { return outletRow_; }
    QWidget* SelectorPanel() const { return selector_; }

public slots:
    void accept() override;  // OK: "&Применить" while editing, else save or choose
    void reject() override;  // Cancel: "&Сброс" while editing, else close

protected:
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWidgets();
    void LoadModels();
    void FillModelBox(int select);
    void SelectModel(int index);
    void EnterEditing();
    void LeaveEditing();
    void UpdateButtons();
    void SetRanges();
    void AddModel();
    void RenameModel();
    void CopyModel();
    void DeleteModel();
    void LockingTyped(const QString& text);
    void InletTyped(const QString& text);
    void ShowInterpolation(const TReducerCharacter::Interpolated& at);
    bool ApplyEdits();
    bool MayDropUnsaved();
    int Selected() const;

    Mode mode_;
    TReducerDatabase base_;
    TReducerCharacter working_;
    TReducerCharacter result_;
    double locking_;
    bool editing_ = false;
    bool editingBeforeCell_ = false;

    QComboBox* modelBox_ = nullptr;
    TReducerGrid* grid_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* rename_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* delete_ = nullptr;
    QWidget* modelButtons_ = nullptr;
    QWidget* ranges_ = nullptr;
    QSpinBox* nP_ = nullptr;
    QSpinBox* nQ_ = nullptr;
    QPushButton* setRanges_ = nullptr;
    QWidget* selector_ = nullptr;
    QLineEdit* lockingEdit_ = nullptr;
    QLineEdit* inletEdit_ = nullptr;
    QTableWidget* outletRow_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Runs the reducer window. Mode 0: edits the database (character and locking unused). Mode 1:
// on OK the chosen characteristic is copied into character and the set locking pressure
// returned. Mode 2: edits character from the given locking pressure; on OK both are returned.
// True when the window ended with OK.
bool EditReducer(QWidget* parent, const QString& folder, int mode, TReducerCharacter& character, double& locking);
// The database editor of the main window (mode 0).
void EditReducerDatabase(QWidget* parent, const QString& folder);
