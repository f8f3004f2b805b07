#pragma once

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <memory>

// Builds the smallest mine that shows a behaviour, so tests read like the situation.
class MineBuilder {
public:
    MineBuilder() : mine_(std::make_unique<TMine>(QStringLiteral("test"))) {}

    TMine& mine() { return *mine_; }
    TMine* get() { return mine_.get(); }
    std::unique_ptr<TMine> take() { return std::move(mine_); }

    TUzel* uzel(int number, double x = 0, double y = 0, double z = 0)
    {
        TUzel* u = TUzel::Create(mine_.get(), number);
        u->SetX(x);
        u->SetY(y);
        u->SetZ(z);
        return u;
    }
    TBranch* branch(int number, int start, int end) { return TBranch::Create(mine_.get(), number, start, end); }
    // A branch whose fire-fighting pipe is laid with the diameter.
    TBranch* firePipe(int number, int start, int end, int diameter = 150)
    {
        TBranch* b = branch(number, start, end);
        b->FirePipe()->SetPresent(true);
        b->FirePipe()->SetDiameter(diameter);
        return b;
    }
    template <class D = TDevice>
    D* device(TBranch* b, int kind, double position, int number = 0, int slot = 0)
    {
        TPipe* pipe = b->Pipes.Items(slot);
        TDevice* d = TDevice::CreateDevice(b, pipe, kind);
        d->SetPosition(position);
        d->SetNumber(number);
        pipe->Devices.SortByPosition();
        return static_cast<D*>(d);
    }
    TGasPipe* gasPipe(TBranch* b, int pipeNo = 1)
    {
        TGasPipe* g = TGasPipe::Create(b);
        g->SetPipeNo(pipeNo);
        return g;
    }

private:
    std::unique_ptr<TMine> mine_;
};
