#include "records/codepage.h"
#include "records/layout.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "records/textutil.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

std::filesystem::path makeFile(std::size_t records)
{
    const auto path = std::filesystem::temp_directory_path() / ("carvello_bench_" + std::to_string(records) + ".pro");
    if (std::filesystem::exists(path) && std::filesystem::file_size(path) == records * records::kClientRecordLength)
        return path;
    records::Record r(records::clientLayout());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t k = 0; k < records; ++k) {
        r.setText("Name", "Client number " + std::to_string(k));
        r.setText("City", k % 2 ? "Bologna" : "Forlì");
        out.write(reinterpret_cast<const char *>(r.bytes().data()), static_cast<std::streamsize>(r.bytes().size()));
    }
    return path;
}

// A search reads every record, decodes the criteria fields and matches them.
void BM_ScanAndMatch(benchmark::State &state)
{
    const auto path = makeFile(static_cast<std::size_t>(state.range(0)));
    records::Record buffer(records::clientLayout());
    for (auto _ : state) {
        records::RecordFile file(path, records::kClientRecordLength);
        std::size_t hits = 0;
        file.scan(buffer, [&hits](std::size_t, const records::Record &r) {
            hits += records::containsFolded(r.text(std::size_t{0}), "number 9") ? 1 : 0;
            return true;
        });
        file.close();
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ScanAndMatch)->Arg(1000)->Arg(20000);

void BM_EncodeRecord(benchmark::State &state)
{
    records::Record r(records::clientLayout());
    for (auto _ : state) {
        for (std::size_t k = 0; k < r.layout().fieldCount(); ++k)
            r.setText(k, "Città di prova con qualche parola");
        benchmark::DoNotOptimize(r.bytes().data());
    }
}
BENCHMARK(BM_EncodeRecord);

} // namespace

BENCHMARK_MAIN();
