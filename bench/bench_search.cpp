#include "records/layout.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "records/recordfiles.h"
#include "records/search.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// One search of the client search window over 50,000 clients (about 230 MB)
// with two criteria, building and sorting the lines of the hits, beside
// `grep -c -i -F` of one of the criteria over the same file in the same run.

namespace {

constexpr std::size_t kClients = 50000;

const char *const kCities[] = {"Bologna", "Forlì", "Rimini", "Heidelberg", "Bergamo", "Cesena", "Ravenna", "Modena"};

std::filesystem::path clientFile()
{
    const auto path = std::filesystem::temp_directory_path() / "carvello_bench_search_50000.pro";
    if (std::filesystem::exists(path) && std::filesystem::file_size(path) == kClients * records::kClientRecordLength)
        return path;
    records::Record r(records::clientLayout());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t k = 0; k < kClients; ++k) {
        r.setText("Name", "Surname" + std::to_string(k * 7919 % kClients) + " Firstname");
        r.setText("City", kCities[k % 8]);
        r.setText("MobilePhone", "+39 333 " + std::to_string(1000000 + k));
        r.setText("License", "DL" + std::to_string(k));
        r.setText("Vehicles", k % 3 ? "Compact cars, automatic gearbox" : "Vans and minibuses");
        r.setText("Notes", "Regular client since " + std::to_string(1990 + k % 30));
        out.write(reinterpret_cast<const char *>(r.bytes().data()), static_cast<std::streamsize>(r.bytes().size()));
    }
    return path;
}

// What the search window does: every record read, the matches' lines built,
// the list sorted.
std::vector<std::string> search(const std::filesystem::path &path, const records::SearchRule &rule)
{
    const records::RecordFileDescriptor &clients = records::clientFile();
    records::RecordFile file(path, clients.layout.recordLength());
    records::Record buffer(clients.layout);
    std::vector<std::string> lines;
    file.scan(buffer, [&](std::size_t, const records::Record &record) {
        if (rule.matches(record))
            lines.push_back(records::resultLine(record, clients.search.columns));
        return true;
    });
    file.close();
    records::sortLines(lines);
    return lines;
}

void BM_SearchTwoCriteria(benchmark::State &state)
{
    const auto path = clientFile();
    const records::CriterionText criteria[] = {{"City", "berg"}, {"Vehicles", "compact"}};
    const records::SearchRule rule(records::clientFile().layout, criteria);
    std::size_t hits = 0;
    for (auto _ : state) {
        const std::vector<std::string> lines = search(path, rule);
        hits = lines.size();
        benchmark::DoNotOptimize(lines.data());
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_SearchTwoCriteria)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchListEveryRecord(benchmark::State &state)
{
    const auto path = clientFile();
    const records::SearchRule rule(records::clientFile().layout, {});
    for (auto _ : state)
        benchmark::DoNotOptimize(search(path, rule).data());
}
BENCHMARK(BM_SearchListEveryRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

// The yardstick: grep counting the lines that hold one of the criteria.
void BM_GrepOneCriterion(benchmark::State &state)
{
    const auto path = clientFile();
    // Not to /dev/null: grep stops at the first match when nobody reads it.
    const auto out = std::filesystem::temp_directory_path() / "carvello_bench_grep.txt";
    const std::string command = "grep -c -i -F berg '" + path.string() + "' > '" + out.string() + "'";
    for (auto _ : state) {
        const int code = std::system(command.c_str());
        benchmark::DoNotOptimize(code);
    }
}
BENCHMARK(BM_GrepOneCriterion)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
