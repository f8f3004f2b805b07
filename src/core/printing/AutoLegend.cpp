#include "core/printing/AutoLegend.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

namespace AutoLegend {

namespace {

// The legend entry of a device, or -1 when it has none.
int SymbolOfDevice(const TDevice& device)
{
    switch (device.GetKind()) {
    case dkPump: return siPump;
    case dkReducer: return siReducer;
    case dkGate: return siGate;
    case dkJetBreakTank: return siJetBreakTank;
    case dkFireMachine: return siFireEngine;
    case dkCrane: {
        const int type = static_cast<const TCrane&>(device).ConsumerType();
        return type >= 0 && type <= siTechNeeds ? type : -1;
    }
    default: return -1;
    }
}

}  // namespace

void Fill(TSymbolTable& symbols, const TMine& mine, int pipeIndex)
{
    for (int i = 0; i <= siFireEngine; ++i)
        symbols[size_t(i)].Print = false;
    if (pipeIndex == 0) {
        for (const TBranch* branch : mine.Branches)
            for (const TPipe* pipe : branch->Pipes)
                for (const TDevice* device : pipe->Devices)
                    if (const int index = SymbolOfDevice(*device); index >= 0)
                        symbols[size_t(index)].Print = true;
    }
    bool surface = false;
    for (const TUzel* uzel : mine.Uzels)
        surface = surface || uzel->Surface();
    symbols[siSurfaceNode].Print = surface;
    symbols[siDiameterColors].Print = true;
}

}  // namespace AutoLegend
