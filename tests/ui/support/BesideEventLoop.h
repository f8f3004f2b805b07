#pragma once

// Runs work in another thread (standing for another process, such as a second start of the
// program) while this thread's event loop keeps serving, and returns the work's result.

#include <QCoreApplication>

#include <chrono>
#include <future>

template <class Work>
auto RunBesideEventLoop(Work work)
{
    auto result = std::async(std::launch::async, std::move(work));
    while (result.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return result.get();
}
