#include "core/checks/CheckRun.h"

#include "core/checks/CheckProgress.h"

#include <algorithm>

void TCheckRun::StartProgress(const QString& caption, qint64 total)
{
    started_ = true;
    done_ = 0;
    total_ = std::max<qint64>(total, 0);
    if (Options.Progress)
        Options.Progress->Start(caption, total_);
}

void TCheckRun::SetCaption(const QString& caption)
{
    if (started_ && Options.Progress)
        Options.Progress->SetCaption(caption);
}

void TCheckRun::Advance(qint64 steps)
{
    if (!started_)
        return;
    // Never past the end, whatever the phases add up to.
    done_ = std::min(done_ + std::max<qint64>(steps, 0), total_);
    if (Options.Progress)
        Options.Progress->Step(done_);
}

void TCheckRun::FinishProgress()
{
    if (!started_)
        return;
    started_ = false;
    if (Options.Progress)
        Options.Progress->Finish();
}
