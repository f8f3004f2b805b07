// One entry point for all benchmarks of irvata_bench.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
