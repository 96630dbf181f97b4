#pragma once

#include "records/osfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace durability {

// The seed of every random choice of the durability tests: the value of
// CARVELLO_DURABILITY_SEED, or a fresh one. Printed on first use, so that a
// failing run can be replayed.
std::uint64_t masterSeed();
// A seed of its own for one test row, so that a row replays on its own.
std::uint64_t seedFor(const QString &row);
// CARVELLO_DURABILITY_ROUNDS when set (the long run), else `normal`.
int rounds(int normal);

// The writer program built beside the tests.
QString workerPath();

// The raw bytes of a file; empty when it is missing.
std::string fileBytes(const std::filesystem::path &file);
// The size of a file, 0 when it is missing.
std::uint64_t fileSize(const std::filesystem::path &file);

// Reads one client record from its raw bytes with a decoder of its own, not
// the program's: the record is whole when every field is full and carries the
// same token (see stamps.h). The token, or nothing for a torn or foreign
// record.
std::optional<std::string> recordToken(std::string_view record);
inline constexpr std::size_t kRecordBytes = 4603;

// The names in `folder` (not below it) of the program's temporary files,
// "<name>.~<pid>-<n>".
QStringList temporaryFiles(const std::filesystem::path &folder);

// Whether the fault armed with records::faults::failNth(op, nth) went off:
// one that did not would still fail one of the next `nth` calls. Keeps the
// tables of protocol steps honest about the calls they count.
bool faultFired(records::faults::Op op, int nth);

// Where two byte strings first differ, for a failure message.
QString firstDifference(std::string_view actual, std::string_view expected);

} // namespace durability
