#include "ui/editing/DeviceChoosers.h"

namespace DeviceChoosers {
namespace {
TPumpChooser& PumpHook()
{
    static TPumpChooser hook;
    return hook;
}
TReducerChooser& ReducerHook()
{
    static TReducerChooser hook;
    return hook;
}
}  // namespace

void SetPumpChooser(TPumpChooser chooser) { PumpHook() = std::move(chooser); }
void SetReducerChooser(TReducerChooser chooser) { ReducerHook() = std::move(chooser); }
const TPumpChooser& PumpChooser() { return PumpHook(); }
const TReducerChooser& ReducerChooser() { return ReducerHook(); }

}  // namespace DeviceChoosers
