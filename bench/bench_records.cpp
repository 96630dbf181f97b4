#include "clientfile.h"
#include "records/browse.h"
#include "records/codepage.h"
#include "records/layout.h"
#include "records/osfile.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "records/textutil.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

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

// The files live in the temporary folder (TMPDIR): scripts/bench.sh points it
// at a folder on the disk, since a flush to a memory file system costs
// nothing and would hide what a save costs.
std::filesystem::path manyClients()
{
    const auto path = std::filesystem::temp_directory_path() / "carvello_bench_clients_50000.pro";
    bench::ensureClientFile(path, bench::kManyClients);
    return path;
}

// What the Last button asks of the record file: open, count, read the last
// record, close.
void BM_BrowseLast(benchmark::State &state)
{
    const auto path = manyClients();
    records::Record buffer(records::clientLayout());
    for (auto _ : state) {
        const records::BrowseResult result = records::browseLast(path, buffer);
        benchmark::DoNotOptimize(buffer.bytes().data());
        if (result.position != std::to_string(bench::kManyClients)) {
            state.SkipWithError("the last record was not read");
            break;
        }
    }
}
BENCHMARK(BM_BrowseLast)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The target for a save is per save, so the slow ones matter as much as the
// typical one: besides the mean, each run reports the 95th percentile and the
// slowest save, in milliseconds, and how many of its saves took 20 ms or more.
class SaveTimes
{
public:
    void add(std::chrono::steady_clock::time_point start)
    {
        m_ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    void report(benchmark::State &state)
    {
        if (m_ms.empty())
            return;
        std::sort(m_ms.begin(), m_ms.end());
        state.counters["p95_ms"] = m_ms[(m_ms.size() - 1) * 95 / 100];
        state.counters["max_ms"] = m_ms.back();
        state.counters["saves"] = static_cast<double>(m_ms.size());
        state.counters["slow_saves"] =
            static_cast<double>(m_ms.end() - std::lower_bound(m_ms.begin(), m_ms.end(), 20.0));
    }

private:
    std::vector<double> m_ms;
};

// One Save of a new client: journal written and flushed, the record appended
// and flushed, the journal emptied and flushed. Real time, because the
// flushes wait for the disk and cost little processor time.
void BM_SaveAppend(benchmark::State &state)
{
    const auto path = manyClients();
    const records::Record record = bench::clientRecord(bench::kManyClients + 1);
    SaveTimes times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const records::SaveResult result = records::saveRecord(path, record, "");
        times.add(start);
        benchmark::DoNotOptimize(result.position);
    }
    times.report(state);
    // Back to 50,000 records for the next benchmark and the next run.
    std::filesystem::resize_file(path, bench::kManyClients * records::kClientRecordLength);
}
BENCHMARK(BM_SaveAppend)->Unit(benchmark::kMillisecond)->UseRealTime();

// One Save of a changed client in the middle of the file.
void BM_SaveOverwrite(benchmark::State &state)
{
    const auto path = manyClients();
    const std::size_t position = bench::kManyClients / 2;
    const records::Record record = bench::clientRecord(position);
    const std::string label = std::to_string(position);
    SaveTimes times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const records::SaveResult result = records::saveRecord(path, record, label);
        times.add(start);
        benchmark::DoNotOptimize(result.position);
    }
    times.report(state);
}
BENCHMARK(BM_SaveOverwrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// For comparison: the least a durable write of one record can cost here,
// one write and one flush, with no journal and no lock.
void BM_WriteAndFlushOneRecord(benchmark::State &state)
{
    const auto path = manyClients();
    const records::Record record = bench::clientRecord(bench::kManyClients / 2);
    records::OsFile file;
    if (!file.open(path, records::OsFile::Mode::ReadWrite)) {
        state.SkipWithError("cannot open the client file");
        return;
    }
    const std::uint64_t offset = (bench::kManyClients / 2 - 1) * records::kClientRecordLength;
    for (auto _ : state) {
        if (!file.writeAt(offset, record.bytes().data(), record.bytes().size()) || !file.sync()) {
            state.SkipWithError("the write failed");
            break;
        }
    }
    file.close();
}
BENCHMARK(BM_WriteAndFlushOneRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
