#pragma once

#include "core/model/LabelOffset.h"
#include "core/model/MineObject.h"

#include <memory>

class TPipe;
class TDevice;
class TBranch;

// One section of a pipe: from the pipe's start to its first device (the pipe's own first
// section), or from a device to the next device or the pipe's end (the device's section).
class TPipePart : public TMineObject {
public:
    ~TPipePart() override;

    TObjectKind ObjectKind() const override { return TObjectKind::PipePart; }

    TPipe* OwnerPipe() const { return ofDevice_ ? nullptr : static_cast<TPipe*>(owner_); }
    TDevice* OwnerDevice() const { return ofDevice_ ? static_cast<TDevice*>(owner_) : nullptr; }
    TBranch* OwnerBranch() const;
    TPipe* OwnerPipeOf() const;

    int GetIndex() const override;
    double GetX() const override;
    double GetY() const override;
    double GetZ() const override;
    float GetSX() const override;
    float GetSY() const override;
    QString GetInfoText(bool) const override { return QString(); }

    double SectionStart() const;
    double SectionEnd() const;
    double SectionLength() const;
    // Axis codes 1-3: X, Y, Z at the start; 4-6: at the end.
    double SectionPoint(int code) const;
    double SectionDZ() const;
    // End code 1 = start, 2 = end: the number shown at that end of the section.
    int SectionEndNumbers(int endCode) const;

protected:
    TPipePart(TPipe* pipe, TDevice* device);

private:
    // One owner, told by the flag (which sits in the base's tail): sections are the most
    // numerous objects of a mine.
    bool ofDevice_;
    void* owner_;
};

// Section of a degasification pipe.
class TGasPipePart : public TPipePart {
public:
    static std::unique_ptr<TPipePart> ForPipe(TPipe* pipe);
    static std::unique_ptr<TPipePart> ForDevice(TDevice* device);

private:
    using TPipePart::TPipePart;
};

// Section of a water pipe, with the placement of its result label. Its calculated values
// live in the document's results table, not here.
class TWaterPipePart : public TPipePart {
public:
    static std::unique_ptr<TPipePart> ForPipe(TPipe* pipe);
    static std::unique_ptr<TPipePart> ForDevice(TDevice* device);

    const TLabelOffset& LabelOffset() const { return labelOffset_; }
    void SetLabelOffset(const TLabelOffset& offset);
    bool AutoPlaceLabel() const { return autoPlaceLabel_; }
    void SetAutoPlaceLabel(bool value);
    double LabelAngle() const { return labelAngle_; }
    double LabelDistance() const { return labelDistance_; }
    void SetLabelPlacement(double angle, double distance);
    // Puts the label at its angle and distance beside the branch.
    void PlaceLabel();
    // After a stored offset was read: the angle and distance that give it.
    void DeriveLabelPlacement();

    double SectionLK() const;
    // Velocity (m/s) at flow q (m3/h); 0 when the pipe has no flow area.
    double SectionVelocity(double q) const;
    // The hydraulic gradient shown as "100i" for resistance r (s2/m5) at flow q (m3/h);
    // 0 for a section of no length.
    double SectionGradient(double r, double q) const;

private:
    using TPipePart::TPipePart;
    TLabelOffset labelOffset_ = TLabelOffset::Make(0, 0);
    bool autoPlaceLabel_ = true;
    double labelAngle_ = 90;
    double labelDistance_ = 35;
};
