#pragma once

#include "core/model/LabelOffset.h"
#include "core/model/MineObject.h"
#include "core/model/Pipe.h"

#include <QString>
#include <vector>

class TUzel;
class TWaterPipe;

// A mine working between two nodes, referred to by their numbers. Carries the three water
// pipes (slots 0-2) and any degasification pipes (slots 3 and up).
class TBranch : public TMineObject {
public:
    // Creates a branch with its three water pipes, appends it to the mine's branches and
    // links both ends.
    static TBranch* Create(TMine* mine, int number, int startNumber, int endNumber);
    ~TBranch() override;

    TObjectKind ObjectKind() const override { return TObjectKind::Branch; }

    int StartNumber() const { return startNumber_; }
    int EndNumber() const { return endNumber_; }
    TUzel* StartUzel() const { return startUzel_; }
    TUzel* EndUzel() const { return endUzel_; }
    const QString& Remark() const { return remark_; }
    // Seam and plan position by index in the mine's lists; an index outside its list
    // (say, from a damaged file) reads as none (−1).
    int LayerIndex() const;
    int PLFIndex() const;
    int RawLayerIndex() const { return layerIndex_; }
    int RawPLFIndex() const { return plfIndex_; }
    double AirQ() const { return airQ_; }
    bool ShowResult() const { return showResult_; }
    const TLabelOffset& NumberLabelOffset() const { return numberLabelOffset_; }
    bool AutoPlaceLabel() const { return autoPlaceLabel_; }
    double LabelAngle() const { return labelAngle_; }
    double LabelDistance() const { return labelDistance_; }

    TPipeList Pipes;
    TWaterPipe* FirePipe() const;               // slot 0
    TWaterPipe* WaterPipe(int slot) const;      // slots 0-2
    int GasPipeCount() const { return Pipes.Count() - 3; }

    int GetIndex() const override;
    double GetX() const override;
    double GetY() const override;
    double GetZ() const override;
    float GetSX() const override;
    float GetSY() const override;
    QString GetInfoText(bool withRemark) const override;

    void SetStartNumber(int value);
    void SetEndNumber(int value);
    void SetAirQ(double value);
    void SetRemark(const QString& value);
    void SetLayerIndex(int value);
    void SetPLFIndex(int value);
    void SetShowResult(bool value);
    void SetNumberLabelOffset(const TLabelOffset& offset);
    void SetAutoPlaceLabel(bool value);
    void SetLabelPlacement(double angle, double distance);
    // After a stored offset was read: the angle and distance that give it.
    void DeriveLabelPlacement();

    double Length() const;
    double Angle() const;
    struct Point3 { double x, y, z; };
    Point3 PointAt(double t) const;
    struct SchemaPoint { float x, y; };
    SchemaPoint SchemaPointAt(double t) const;
    // Direction start -> end on the schema, whole degrees (0 without both nodes).
    int SchemaDirection() const;
    bool Linked() const { return startUzel_ && endUzel_; }

    // An end node moved on the schema: automatic labels follow.
    void EndMovedOnSchema();

    // Scratch integer of the document window (carries the stored display order while a file
    // is read).
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }


private:
    friend class TUzel;
    TBranch(TMine* mine, int number, int startNumber, int endNumber);
    void LinkEnds();
    void UnlinkEnds();
    // The direction is asked for every label of the branch; it changes only when an end
    // node moves on the schema or the branch links to other nodes.
    void ForgetSchemaDirection() { schemaDirection_ = -1; }
    void PlaceNumberLabel();
    void PlaceFirstSectionLabel();
    void SetEndNumber(bool start, int value);

    int startNumber_;
    int endNumber_;
    TUzel* startUzel_ = nullptr;
    TUzel* endUzel_ = nullptr;
    QString remark_;
    int layerIndex_ = -1;
    int plfIndex_ = -1;
    double airQ_ = 0;
    bool showResult_ = true;
    TLabelOffset numberLabelOffset_ = TLabelOffset::Make(0, 0);
    bool autoPlaceLabel_ = true;
    mutable int16_t schemaDirection_ = -1;  // SchemaDirection() once asked; -1 when not known
    int tag_ = 0;
    double labelAngle_ = 90;
    double labelDistance_ = 15;
};
