#include "core/model/DeviceList.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"

#include <tuple>

bool DeviceKindMatches(const TDevice* device, int kind) { return kind == 0 || device->GetKind() == kind; }

TDeviceList::TDeviceList(TBranch* branch) : branch_(branch)
{
    if (!branch)
        throw EOwnerError();
}

TDeviceList::~TDeviceList() { Clear(); }

void TDeviceList::ListChanged() { branch_->Changed(true); }

int TDeviceList::IndexOfKindAt(int kind, double position) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->GetKind() == kind && Items(i)->Position() == position)
            return i;
    return -1;
}

void TDeviceList::SortByPosition()
{
    SortBy([](const TDevice* a, const TDevice* b) { return a->Position() < b->Position(); });
}

void TInfoDeviceList::SortByPosition()
{
    SortBy([](const TDevice* a, const TDevice* b) { return a->Position() < b->Position(); });
}

void TInfoDeviceList::SortByNumber()
{
    SortBy([](const TDevice* a, const TDevice* b) {
        return std::make_tuple(a->Number(), a->Branch()->Number()) < std::make_tuple(b->Number(), b->Branch()->Number());
    });
}
