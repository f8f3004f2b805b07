#pragma once

#include "core/model/ModelPool.h"
#include "core/model/ObjectList.h"

#include <QString>
#include <cstdint>

class TMine;

// Kinds of network objects, for references that must survive the object (message lines,
// find results): a kind and a serial number resolved through the mine when used.
enum class TObjectKind : uint8_t { Uzel, Branch, Device, PipePart, Layer, PLFPosition };

// Common base of nodes, branches, devices, pipe sections, seams and plan positions.
class TMineObject : public TListIndexed {
public:
    TMineObject(TMine* mine, int number = 0);
    virtual ~TMineObject();
    TMineObject(const TMineObject&) = delete;
    TMineObject& operator=(const TMineObject&) = delete;

    // Objects live in their mine's pool: `new (mine) TUzel(...)`. Owning lists free them
    // with an ordinary delete.
    static void* operator new(std::size_t size, TMine* mine);
    static void operator delete(void* p, TMine*) { TModelPool::Abandon(p); }
    static void operator delete(void* p, std::size_t size) { TModelPool::Free(p, size); }

    TMine* Mine() const { return mine_; }
    virtual TObjectKind ObjectKind() const = 0;
    // Unique within the mine for the mine's whole life; never reused.
    uint64_t Serial() const { return serial_; }
    // An object the undo history brings back takes back the identity it had, so that message
    // lines, selections and windows that refer to it find it again.
    void RestoreSerial(uint64_t serial) { serial_ = serial; }

    bool Selected() const { return selected_; }
    void SetSelected(bool value);

    // Label hidden on the schema: the number label of nodes and branches, the result
    // label of devices.
    bool LabelToggle() const { return labelToggle_; }
    void SetLabelToggle(bool value);

    int Number() const { return number_; }
    virtual void SetNumber(int value);

    virtual int GetIndex() const = 0;
    virtual double GetX() const = 0;
    virtual double GetY() const = 0;
    virtual double GetZ() const = 0;
    virtual float GetSX() const = 0;
    virtual float GetSY() const = 0;
    // Objects without coordinates of their own refuse these.
    virtual void SetX(double value);
    virtual void SetY(double value);
    virtual void SetZ(double value);
    virtual void SetSX(float value);
    virtual void SetSY(float value);

    // Reports a change to the mine; structural changes invalidate computed results.
    virtual void Changed(bool structural);

    virtual QString GetInfoText(bool withRemark) const = 0;

protected:
    // True while the mine is being destroyed: objects then skip all bookkeeping.
    bool MineDying() const;
    // For objects that move to another mine's list.
    void RebindMine(TMine* mine) { mine_ = mine; }

private:
    friend class TSelectionList;

    TMine* mine_;
    uint64_t serial_;

protected:
    int number_ = 0;

private:
    // The small fields last: derived classes put their own flags in the tail (a mine has
    // about ten objects a working, so every eight bytes here cost 80 bytes a working).
    bool selected_ = false;
    bool labelToggle_ = false;
};

// Stores a new value when it differs; true when it did.
template <class T>
bool AssignChanged(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// Double equality within the model's tolerance.
bool SameDouble(double a, double b);
