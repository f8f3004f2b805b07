#include "core/file/ThreadedInflate.h"

#include <algorithm>
#include <cstring>

ThreadedInflate::ThreadedInflate(QByteArrayView packed, qint64 expectedSize, Progress progress, qsizetype chunkSize,
                                 int depth)
    : stream_(packed, expectedSize,
              [this](int percent) {
                  // On the inflater's thread: kept for the caller, who tells it.
                  producedPercent_ = percent;
              }),
      progress_(std::move(progress)),
      chunkSize_(std::max<qsizetype>(chunkSize, 1)),
      depth_(static_cast<size_t>(std::max(depth, 1)))
{
    thread_ = std::thread([this] { Produce(); });
}

ThreadedInflate::~ThreadedInflate()
{
    {
        const std::lock_guard guard(lock_);
        stop_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void ThreadedInflate::Produce()
{
    std::exception_ptr error;
    try {
        for (;;) {
            std::vector<char> buffer;
            {
                std::unique_lock guard(lock_);
                changed_.wait(guard, [&] { return stop_ || ready_.size() < depth_; });
                if (stop_)
                    return;
                if (!spare_.empty()) {
                    buffer = std::move(spare_.back());
                    spare_.pop_back();
                }
            }
            buffer.resize(static_cast<size_t>(chunkSize_));
            Chunk chunk;
            // Fills the chunk; a damaged place hands out the bytes before it first.
            try {
                while (chunk.Size < chunkSize_ && !stream_.AtExpectedEnd())
                    chunk.Size += stream_.ReadSome(buffer.data() + chunk.Size, chunkSize_ - chunk.Size);
            } catch (...) {
                error = std::current_exception();
            }
            const bool last = error || stream_.AtExpectedEnd();
            if (last && !error) {
                try {
                    stream_.Finish();
                } catch (...) {
                    error = std::current_exception();
                }
            }
            chunk.Bytes = std::move(buffer);
            {
                const std::lock_guard guard(lock_);
                chunk.Percent = producedPercent_;
                if (chunk.Size > 0)
                    ready_.push_back(std::move(chunk));
                if (last) {
                    error_ = error;
                    ended_ = true;
                }
            }
            changed_.notify_all();
            if (last)
                return;
        }
    } catch (...) {
        // Only allocation can fail here: the caller hears it as the stream's error.
        {
            const std::lock_guard guard(lock_);
            error_ = std::current_exception();
            ended_ = true;
        }
        changed_.notify_all();
    }
}

bool ThreadedInflate::TakeChunk()
{
    int percent = 0;
    {
        std::unique_lock guard(lock_);
        if (!current_.Bytes.empty())
            spare_.push_back(std::move(current_.Bytes));
        current_ = Chunk();
        offset_ = 0;
        changed_.wait(guard, [&] { return !ready_.empty() || ended_; });
        if (ready_.empty())
            return false;
        current_ = std::move(ready_.front());
        ready_.pop_front();
        percent = current_.Percent;
    }
    changed_.notify_all();
    // 100 waits for Finish: the file counts as read only when it was read whole.
    Report(std::min(percent, 99));
    return true;
}

qsizetype ThreadedInflate::ReadSome(char* out, qsizetype capacity)
{
    while (offset_ >= current_.Size) {
        if (!TakeChunk()) {
            std::exception_ptr error;
            {
                const std::lock_guard guard(lock_);
                error = error_;
            }
            if (error)
                std::rethrow_exception(error);
            // Past the expected end: as the stream itself refuses it.
            return stream_.ReadSome(out, capacity);
        }
    }
    const qsizetype n = std::min(capacity, current_.Size - offset_);
    std::memcpy(out, current_.Bytes.data() + offset_, static_cast<size_t>(n));
    offset_ += n;
    return n;
}

void ThreadedInflate::Finish()
{
    while (TakeChunk()) {
    }
    if (thread_.joinable())
        thread_.join();
    if (error_)
        std::rethrow_exception(error_);
    Report(100);
}

void ThreadedInflate::Report(int percent)
{
    if (progress_ && percent > reported_) {
        reported_ = percent;
        progress_(percent);
    }
}
