#pragma once

#include "core/model/MineLists.h"
#include "core/model/ObjectList.h"

class TDevice;
class TBranch;

// Devices of one pipe, owned, kept in ascending position by their callers; adding or
// removing one is a change of the branch. A pipe mostly carries none to two, kept in the list
// itself.
class TDeviceList : public TOwningList<TDevice, 2> {
public:
    explicit TDeviceList(TBranch* branch);
    ~TDeviceList() override;
    TBranch* Branch() const { return branch_; }

    // First device of the kind standing exactly at the position, or −1.
    int IndexOfKindAt(int kind, double position) const;
    void SortByPosition();

protected:
    void ListChanged() override;

private:
    TBranch* branch_;
};

// Device views: the mine's per-pipe-kind lists and filters.
class TInfoDeviceList : public TMineObjectListT<TObjectList<TDevice>> {
public:
    using TMineObjectListT::TMineObjectListT;

    // Rebuilds the view from a device list, keeping devices of the kind (0 = all kinds).
    template <class List>
    void RebuildFrom(const List& source, int kind);
    void SortByPosition();
    // By number, ties broken by the number of the device's branch.
    void SortByNumber();
};

bool DeviceKindMatches(const TDevice* device, int kind);

template <class List>
void TInfoDeviceList::RebuildFrom(const List& source, int kind)
{
    Clear();
    for (TDevice* d : source)
        if (DeviceKindMatches(d, kind))
            Add(d);
}
