#pragma once

#include "core/model/LabelOffset.h"
#include "core/model/MineLists.h"
#include "core/model/MineObject.h"

// What a node keeps of its own (the file's node record), for reading and for undo.
struct TUzelState {
    int Number = 0;
    double X = 0, Y = 0, Z = 0;
    float SX = 0, SY = 0;
    bool Surface = false;
    bool PlacedByHand = false;
    bool LabelToggle = false;
    TLabelOffset NumberLabelOffset = TLabelOffset::Make(12, 12);
    TLabelOffset ResultLabelOffset = TLabelOffset::Make(15, -15);
    bool ShowResult = false;
};

// A node: a junction of mine workings. Branches refer to it by its number.
class TUzel : public TMineObject {
public:
    // Creates a node, appends it to the mine's nodes and links the branches waiting for
    // its number.
    static TUzel* Create(TMine* mine, int number);
    ~TUzel() override;

    TObjectKind ObjectKind() const override { return TObjectKind::Uzel; }

    double X() const { return x_; }
    double Y() const { return y_; }
    double Z() const { return z_; }
    float SX() const { return sx_; }
    float SY() const { return sy_; }
    bool Surface() const { return surface_; }
    bool PlacedByHand() const { return placedByHand_; }
    bool ShowResult() const { return showResult_; }
    const TLabelOffset& NumberLabelOffset() const { return numberLabelOffset_; }
    const TLabelOffset& ResultLabelOffset() const { return resultLabelOffset_; }

    // Incident branches; a branch with both ends here is listed twice.
    TIncidentBranchList Branches;
    int IncidentCount() const { return Branches.Count(); }
    void CopyIncidentTo(TInfoBranchList& target, bool clearFirst) const;

    int GetIndex() const override;
    double GetX() const override { return x_; }
    double GetY() const override { return y_; }
    double GetZ() const override { return z_; }
    float GetSX() const override { return sx_; }
    float GetSY() const override { return sy_; }
    void SetX(double value) override;
    void SetY(double value) override;
    void SetZ(double value) override;
    void SetSX(float value) override;
    void SetSY(float value) override;
    void SetNumber(int value) override;
    void SetSurface(bool value);
    void SetPlacedByHand(bool value) { placedByHand_ = value; }
    void SetShowResult(bool value);
    void SetNumberLabelOffset(const TLabelOffset& offset);
    void SetResultLabelOffset(const TLabelOffset& offset);
    QString GetInfoText(bool withRemark) const override;

    TUzelState State() const;
    // Takes every value of the state as it stands: no schema position follows the
    // coordinates and no branch label follows the schema position. The number relinks the
    // branches; the mine's bounds wait for the caller.
    void Restore(const TUzelState& state);

private:
    TUzel(TMine* mine, int number);
    void Link();
    void Unlink();
    void SetCoordinate(int axis, double value);

    double x_ = 0, y_ = 0, z_ = 0;
    bool surface_ = false;
    bool placedByHand_ = false;
    float sx_ = 0, sy_ = 0;
    TLabelOffset numberLabelOffset_ = TLabelOffset::Make(12, 12);
    TLabelOffset resultLabelOffset_ = TLabelOffset::Make(15, -15);
    bool showResult_ = false;
};
