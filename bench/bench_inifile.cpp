#include "records/inifile.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A settings file grown by other programs: many sections and entries before
// the ones the editor reads.
std::string bigSettings(int sections)
{
    std::string content;
    for (int s = 0; s < sections; ++s) {
        content += "[Section " + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 20; ++k)
            content += "Key " + std::to_string(k) + "=value of some length " + std::to_string(k) + "\r\n";
    }
    content += "[Rental Company]\r\nLine 1=Rossi Autonoleggio\r\nLine 2=Via Roma 12\r\n";
    return content;
}

// Showing the editor reads four header lines.
void BM_ReadHeaderLine(benchmark::State &state)
{
    const std::string content = bigSettings(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(records::findIniValue(content, "Rental Company", "Line 2"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(content.size()));
}
BENCHMARK(BM_ReadHeaderLine)->Arg(1)->Arg(100)->Arg(1000);

// Closing the editor rewrites one entry at a time.
void BM_WriteHeaderLine(benchmark::State &state)
{
    const std::string content = bigSettings(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(records::setIniValue(content, "Rental Company", "Line 2", "Via Po 1"));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(content.size()));
}
BENCHMARK(BM_WriteHeaderLine)->Arg(1)->Arg(100)->Arg(1000);

} // namespace
BENCHMARK_MAIN();
