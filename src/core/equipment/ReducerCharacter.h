#pragma once

#include "core/model/Errors.h"

#include <QString>
#include <optional>
#include <vector>

// Characteristic of a pressure reducer: outlet working pressures over flow ranges
// (columns) and pressure ranges (rows), with the inlet and locking pressure of each row.
class TReducerCharacter {
public:
    TReducerCharacter();  // the default 2 x 2 characteristic

    QString Name;

    int NP() const { return static_cast<int>(inlet_.size()); }
    int NQ() const { return static_cast<int>(flows_.size()); }

    double Inlet(int row) const { return inlet_.at(static_cast<size_t>(row)); }
    double Locking(int row) const { return locking_.at(static_cast<size_t>(row)); }
    double Flow(int col) const { return flows_.at(static_cast<size_t>(col)); }
    double Outlet(int row, int col) const { return outlet_.at(Cell(row, col)); }
    void SetInlet(int row, double v) { inlet_.at(static_cast<size_t>(row)) = v; }
    void SetLocking(int row, double v) { locking_.at(static_cast<size_t>(row)) = v; }
    void SetFlow(int col, double v) { flows_.at(static_cast<size_t>(col)) = v; }
    void SetOutlet(int row, int col, double v) { outlet_.at(Cell(row, col)) = v; }

    // Keeps the values that still fit, new cells are 0. Copying is plain assignment (all
    // fields, the name included).
    void Resize(int nP, int nQ);
    void ResetToDefault();
    bool operator==(const TReducerCharacter&) const = default;

    struct Interpolated {
        bool valid = false;
        double inlet = 0;
        double locking = 0;
        std::vector<double> outlet;
    };
    // Inlet pressure and outlet row for a locking pressure within the characteristic.
    Interpolated ForLockingPressure(double locking) const;
    // Locking pressure and outlet row for an inlet pressure within the characteristic.
    Interpolated ForInletPressure(double inlet) const;

    // Where a characteristic is wrong: the part of the table and the row and column in it
    // (row 0 for flows, column 0 for the inlet and locking pressures).
    enum class Part { Flow, Inlet, Locking, Outlet };
    struct Fault {
        Part part;
        int row;
        int col;
        QString message;
    };
    // The first rule the characteristic breaks, in the order the user is told about them:
    // flows, first inlet and locking pressures, both pressure columns row by row, outlet
    // pressures. Empty when it is sound.
    std::optional<Fault> FindFault() const;
    // Throws EReducerCharacterError for the first fault.
    void Validate() const;

private:
    size_t Cell(int row, int col) const
    {
        if (col < 0 || col >= NQ() || row < 0 || row >= NP())
            return outlet_.size();  // at() then throws
        return static_cast<size_t>(row) * flows_.size() + static_cast<size_t>(col);
    }

    std::vector<double> inlet_;
    std::vector<double> locking_;
    std::vector<double> flows_;
    std::vector<double> outlet_;  // row-major, NP x NQ
};

// A characteristic that breaks a rule; the fault names the cell to select.
class EReducerCharacterError : public Exception {
public:
    explicit EReducerCharacterError(TReducerCharacter::Fault fault) : Exception(fault.message), fault_(std::move(fault)) {}
    const TReducerCharacter::Fault& Where() const { return fault_; }

private:
    TReducerCharacter::Fault fault_;
};

namespace ReducerTexts {
inline const QString kBadFlow = QStringLiteral("Неверно указана величина расхода");
inline const QString kBadInlet = QStringLiteral("Неверно указана величина давления на входе");
inline const QString kBadLocking = QStringLiteral("Неверно указана величина запорного давления");
inline const QString kBadOutlet = QStringLiteral("Неверно указана величина давления на выходе");
}  // namespace ReducerTexts

// Inlet pressure and the row of outlet pressures at a locking pressure; not valid outside
// the table's locking pressures.
inline TReducerCharacter::Interpolated InterpolateReducer(const TReducerCharacter& c, double locking)
{
    return c.ForLockingPressure(locking);
}
