#pragma once

#include <QString>
#include <atomic>
#include <functional>

class ICheckProgress;
class TBusyCounter;

// Long work on a document (reading, writing) that runs on a thread of its own while the
// window keeps painting. Meanwhile the status bar shows the caption and how far the work
// has come, user input waits until the work is done (as during the checks), and the busy
// counter refuses closing. The work may only read what the window shows: nothing changes
// the mine while it runs, and the work must not touch widgets.
namespace LongWork {

// What the work tells of its course: 0..100, set from the work's thread.
using TPercent = std::atomic<int>;

// Runs work to its end and returns then; whatever the work throws is thrown here, on the
// window's thread. progress and busy may be null.
void Run(const QString& caption, ICheckProgress* progress, TBusyCounter* busy,
         const std::function<void(TPercent& percent)>& work);

}  // namespace LongWork
