#include "core/model/DeviceKinds.h"

#include "core/model/MineObject.h"

namespace {
constexpr double kWasherDrop[10] = {0, 48, 76, 101, 129, 172, 210, 260, 323, 415};
constexpr int kWasherSize[10] = {0, 42, 40, 39, 38, 37, 36, 35, 34, 33};
}  // namespace

void TPump::SetValue(int index, double value)
{
    if (index < 1 || index > 6) {
        Changed(true);
        return;
    }
    if (AssignChanged(values_[static_cast<size_t>(index - 1)], value))
        Changed(true);
}

void TPump::SetManometer(int index, double value)
{
    if (index != 1 && index != 2) {
        Changed(false);
        return;
    }
    if (AssignChanged(manometer_[static_cast<size_t>(index - 1)], value))
        Changed(false);
}

void TReducer::SetCharacteristic(const TReducerCharacter& c)
{
    if (AssignChanged(characteristic_, c))
        Changed(true);
}

void TReducer::SetManometer(int index, double value)
{
    if (index != 1 && index != 2) {
        Changed(false);
        return;
    }
    if (AssignChanged(manometer_[static_cast<size_t>(index - 1)], value))
        Changed(false);
}

void TCrane::SetOrificeDiameter(double value)
{
    if (SameDouble(orificeDiameter_, value))
        return;
    orificeDiameter_ = value;
    Changed(false);
}

double TCrane::WasherDrop(int index) { return index >= 1 && index <= 9 ? kWasherDrop[index] : 0; }
int TCrane::WasherSize(int index) { return index >= 1 && index <= 9 ? kWasherSize[index] : 0; }

void TSlitParams::SetValue(int field, int16_t value)
{
    if (field < 0 || field >= 5)
        return;
    if (AssignChanged(values_[static_cast<size_t>(field)], value) && owner_)
        owner_->Changed(false);
}

TSlitParams* TSlit::Well(int index) const
{
    if (index < 0 || index >= WellCount())
        throw EListError(index);
    return wells_[static_cast<size_t>(index)].get();
}

TSlitParams* TSlit::AddWell()
{
    wells_.push_back(std::make_unique<TSlitParams>(this));
    Changed(false);
    return wells_.back().get();
}

void TSlit::DeleteWell(int index)
{
    if (index < 0 || index >= WellCount())
        throw EListError(index);
    wells_.erase(wells_.begin() + index);
    Changed(false);
}

void TSlit::ClearWells()
{
    if (wells_.empty())
        return;
    wells_.clear();
    Changed(false);
}
