// The first read of a network file in a fresh process against a warm read in the same
// process, and closing each: the first read pays for the heap growing and its pages being
// touched for the first time, the second finds them ready. Google Benchmark repeats inside
// one process and cannot see the first read, hence a program of its own.
//
//   irvata-first-read FILE [ROUNDS]
//
// Prints one line per read ("read N: X ms, close: Y ms") and the ratio of the first read to
// the median of the later ones. Make FILE with `irvata-cli generate --branches 100000 FILE`.

#include "core/file/NetworkFile.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: irvata-first-read FILE [ROUNDS]\n");
        return 64;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int rounds = argc > 2 ? std::max(2, std::atoi(argv[2])) : 2;
    std::vector<double> reads;
    try {
        for (int i = 0; i < rounds; ++i) {
            auto start = std::chrono::steady_clock::now();
            TNetworkDocument doc = NetworkFile::Read(path);
            const double read = MillisecondsSince(start);
            const int branches = doc.Mine->Branches.Count();
            start = std::chrono::steady_clock::now();
            doc = TNetworkDocument();
            const double close = MillisecondsSince(start);
            std::printf("read %d: %.1f ms, close: %.1f ms (%d branches)\n", i + 1, read, close, branches);
            reads.push_back(read);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::vector<double> warm(reads.begin() + 1, reads.end());
    std::sort(warm.begin(), warm.end());
    const double median = warm[warm.size() / 2];
    std::printf("first / warm read: %.2f\n", reads.front() / median);
    return 0;
}
