// A writer that the durability tests start as a separate process, so that it
// can be killed at any moment or run beside other copies of itself. It uses
// the program's own record, settings and whole-file code, and says on stdout
// (one flushed line each) what it is about to do and when that succeeded:
//
//   I <kind> <target> <generation>   about to write (kind A append, O
//                                    overwrite, S setting, F whole file)
//   D                                the last announced write succeeded
//   R                                (shared mode) ready, waiting for "go"
//   D A|O <serial> <generation> <position>   (shared mode) a write succeeded
//   E <message>                      a write failed
//
// An announcement is on the pipe before the first byte of its write reaches
// a file, so whatever a killed writer left behind is either acknowledged or
// the one write in flight.

#include "records/agreementsettings.h"
#include "records/browse.h"
#include "records/datafolder.h"
#include "records/inifile.h"
#include "records/layout.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "records/recordfiles.h"
#include "records/safefile.h"
#include "stamps.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

void say(const std::string &line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

records::Record stampedRecord(const std::string &token)
{
    records::Record record(records::clientLayout());
    const records::Layout &layout = record.layout();
    for (std::size_t k = 0; k < layout.fieldCount(); ++k)
        record.setText(k, durability::fieldText(token, static_cast<std::size_t>(layout.field(k).capacity)));
    return record;
}

std::uint64_t number(const char *text) { return std::strtoull(text, nullptr, 10); }

// Weights of append, overwrite, setting and whole file for each mix.
struct Mix {
    const char *name;
    int append, overwrite, setting, file;
};
constexpr Mix kMixes[] = {
    {"records", 50, 50, 0, 0},
    {"settings", 0, 0, 100, 0},
    {"files", 0, 0, 0, 100},
    {"mixed", 30, 30, 25, 15},
};

int killable(const char *mixName, std::uint64_t seed, std::uint64_t firstGeneration, std::uint64_t maxOps)
{
    const Mix *mix = nullptr;
    for (const Mix &m : kMixes) {
        if (std::string(m.name) == mixName)
            mix = &m;
    }
    if (!mix) {
        say(std::string("E unknown mix ") + mixName);
        return 2;
    }
    std::mt19937_64 random(seed);
    const std::filesystem::path file = records::clientFile().path();
    const std::filesystem::path folder = records::dataFolderPath();
    records::ensureFolder(folder / "Vehicle_Fleet");
    try {
        std::size_t count = records::recordCount(file, records::kClientRecordLength);
        for (std::uint64_t op = 0; op < maxOps; ++op) {
            const std::uint64_t generation = firstGeneration + op;
            const int overwrite = count > 0 ? mix->overwrite : 0;
            const int total = mix->append + overwrite + mix->setting + mix->file;
            int pick = static_cast<int>(random() % static_cast<std::uint64_t>(total));
            const std::string gen = std::to_string(generation);
            if ((pick -= mix->append) < 0) {
                const std::size_t position = count + 1;
                say("I A " + std::to_string(position) + " " + gen);
                const records::SaveResult saved =
                    records::saveRecord(file, stampedRecord(durability::positionToken(position, generation)), "");
                if (saved.outcome != records::SaveOutcome::Appended || saved.position != position) {
                    say("E append landed at " + std::to_string(saved.position));
                    return 2;
                }
                ++count;
            } else if ((pick -= overwrite) < 0) {
                const std::size_t position = 1 + static_cast<std::size_t>(random() % count);
                say("I O " + std::to_string(position) + " " + gen);
                records::saveRecord(file, stampedRecord(durability::positionToken(position, generation)),
                                    std::to_string(position));
            } else if ((pick -= mix->setting) < 0) {
                const int key = static_cast<int>(random() % durability::kSettingKeys);
                say("I S " + std::to_string(key) + " " + gen);
                const std::string value = durability::settingValue(key, generation);
                if (key < records::kCompanyLines)
                    records::writeCompanyLine(key + 1, value);
                else
                    records::writeStartNumber(value);
            } else {
                const int target = static_cast<int>(random() % durability::kBigFileCount);
                say("I F " + std::to_string(target) + " " + gen);
                if (!records::replaceFile(folder / std::string(durability::kBigFiles[target]),
                                          durability::bigFileContent(generation))) {
                    say("E whole file not written");
                    return 2;
                }
            }
            say("D");
        }
    } catch (const std::exception &e) {
        say(std::string("E ") + e.what());
        return 2;
    }
    return 0;
}

int shared(int writer, std::uint64_t ops, std::uint64_t seed, bool locking)
{
    records::RecordFile::setLockingForTests(locking);
    // Several writers queue for the lock; none may give up while the others
    // take their turns on a slow disk.
    records::RecordFile::setLockWait(std::chrono::seconds(60));
    const std::filesystem::path file = records::clientFile().path();
    say("R");
    std::string go;
    if (!std::getline(std::cin, go) || go != "go")
        return 3;
    std::mt19937_64 random(seed);
    std::vector<std::size_t> positions; // by serial
    for (std::uint64_t op = 0; op < ops; ++op) {
        const std::uint64_t generation = op + 1;
        try {
            if (positions.empty() || random() % 10 < 6) {
                const std::uint64_t serial = positions.size();
                const records::SaveResult saved =
                    records::saveRecord(file, stampedRecord(durability::writerToken(writer, serial, generation)), "");
                positions.push_back(saved.position);
                say("D A " + std::to_string(serial) + " " + std::to_string(generation) + " "
                    + std::to_string(saved.position));
            } else {
                const std::uint64_t serial = random() % positions.size();
                const records::SaveResult saved =
                    records::saveRecord(file, stampedRecord(durability::writerToken(writer, serial, generation)),
                                        std::to_string(positions[serial]));
                say("D O " + std::to_string(serial) + " " + std::to_string(generation) + " "
                    + std::to_string(saved.position));
            }
        } catch (const std::exception &e) {
            say(std::string("E ") + e.what());
        }
        // A waiting writer polls for the lock, so one that saved without a
        // pause would keep the file to itself; the pauses of a desk let the
        // others in between.
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 30));
    }
    return 0;
}

// Writes one record and ends without closing the file, as a power cut or a
// kill right after the write would: the record and its journal stay behind.
int crash(const std::string &kind, std::size_t position, std::uint64_t generation)
{
    try {
        auto *file = new records::RecordFile(records::clientFile().path(), records::kClientRecordLength);
        file->seek(kind == "append" ? file->count() : position - 1);
        file->write(stampedRecord(durability::positionToken(position, generation)));
        say("D");
    } catch (const std::exception &e) {
        say(std::string("E ") + e.what());
        std::_Exit(2);
    }
    std::_Exit(0);
}

} // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "kill" && argc == 6)
        return killable(argv[2], number(argv[3]), number(argv[4]), number(argv[5]));
    if (mode == "share" && argc == 6)
        return shared(std::atoi(argv[2]), number(argv[3]), number(argv[4]), std::string(argv[5]) == "1");
    if (mode == "crash" && argc == 5)
        return crash(argv[2], static_cast<std::size_t>(number(argv[3])), number(argv[4]));
    std::cerr << "usage: durability_worker kill <records|settings|files|mixed> <seed> <first generation> <ops>\n"
                 "       durability_worker share <writer> <ops> <seed> <locking 0|1>\n"
                 "       durability_worker crash <append|overwrite> <position> <generation>\n";
    return 64;
}
