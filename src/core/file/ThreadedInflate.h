#pragma once

#include "core/file/ByteSource.h"
#include "core/file/InflateStream.h"

#include <QByteArrayView>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A zlib stream inflated on a thread of its own while the caller parses what already came:
// the inflater runs ahead by at most a few chunks. It fails with InflateStream's errors: good
// bytes before a damaged place are handed out, then its error. Progress is told on the
// caller's thread, as chunks are taken.
class ThreadedInflate final : public ByteSource {
public:
    using Progress = InflateStream::Progress;

    ThreadedInflate(QByteArrayView packed, qint64 expectedSize, Progress progress = {},
                    qsizetype chunkSize = 256 * 1024, int depth = 4);
    // Stops the inflater if it still runs.
    ~ThreadedInflate() override;
    ThreadedInflate(const ThreadedInflate&) = delete;
    ThreadedInflate& operator=(const ThreadedInflate&) = delete;

    qsizetype ReadSome(char* out, qsizetype capacity) override;
    // Waits for the inflater to end the stream (what the caller did not take is dropped) and
    // throws its error, if it had one; progress then reaches 100.
    void Finish();

private:
    struct Chunk {
        std::vector<char> Bytes;
        qsizetype Size = 0;
        int Percent = 0;
    };

    void Produce();
    // The next chunk for the caller; false once the inflater ended and nothing is left.
    bool TakeChunk();
    void Report(int percent);

    InflateStream stream_;
    Progress progress_;
    qsizetype chunkSize_;
    size_t depth_;
    int reported_ = 0;
    int producedPercent_ = 0;  // the inflater's own, under lock_ when read by the caller

    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<Chunk> ready_;
    std::vector<std::vector<char>> spare_;
    bool ended_ = false;
    bool stop_ = false;
    std::exception_ptr error_;

    Chunk current_;
    qsizetype offset_ = 0;
    std::thread thread_;
};
