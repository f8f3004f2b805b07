#include "ui/document/LongWork.h"

#include "core/checks/BusyCounter.h"
#include "core/checks/CheckProgress.h"

#include <QEventLoop>
#include <QTimer>
#include <exception>
#include <thread>

namespace LongWork {

namespace {

// How often the status bar learns how far the work has come.
constexpr int kStepMs = 40;

}  // namespace

void Run(const QString& caption, ICheckProgress* progress, TBusyCounter* busy,
         const std::function<void(TPercent& percent)>& work)
{
    const TBusyGuard guard(busy);
    TPercent percent{0};
    std::atomic<bool> done{false};
    std::exception_ptr failure;
    QEventLoop loop;
    if (progress)
        progress->Start(caption, 100);
    std::thread worker([&] {
        try {
            work(percent);
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QTimer step;
    step.setInterval(kStepMs);
    QObject::connect(&step, &QTimer::timeout, [&] {
        if (progress)
            progress->Step(percent.load());
    });
    step.start();
    // User input stays queued until the loop ends; painting, timers and the rest go on. The
    // loop turns at least once, so what was posted before the work began runs while busy.
    do
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    while (!done);
    worker.join();
    step.stop();
    if (progress)
        progress->Finish();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace LongWork
