#pragma once

#include <QPointF>
#include <QRectF>

#include <vector>

class TBranch;
class TDevice;
class TMineObject;
class TUzel;

// What one drawing put where, in the target's pixels, in drawing order (later on top):
// the answer to "what is under this point" and the object list of a picture.
struct TDrawnObjects {
    struct Uzel {
        TUzel* Object;
        QPointF At;
    };
    struct Branch {
        TBranch* Object;
        QPointF From;
        QPointF To;
    };
    struct Device {
        TDevice* Object;
        QPointF At;
        double Angle;  // degrees, the branch's direction on the screen
    };
    enum class LabelKind { UzelNumber, UzelResult, BranchNumber, SectionResult, DeviceLabel };
    struct Label {
        LabelKind Kind;
        TMineObject* Owner;
        QRectF Box;
    };

    std::vector<Uzel> Uzels;
    std::vector<Branch> Branches;
    std::vector<Device> Devices;
    std::vector<Label> Labels;

    void Clear()
    {
        Uzels.clear();
        Branches.clear();
        Devices.clear();
        Labels.clear();
    }
};
