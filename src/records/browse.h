#pragma once

#include "records/record.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace records {

// The browse-and-save protocol the three editors share, free of any window:
// each call opens the file, does one step and closes it. The caller passes
// the text of its position label and applies the result; failures throw
// RecordFileError after the file was closed.

enum class BrowseOutcome {
    Shown,   // `buffer` holds the record at `position`
    Empty,   // the file holds no record: tell the user
    Nothing, // already at the end asked for: no change, no message
};

struct BrowseResult {
    BrowseOutcome outcome;
    // The new text of the position label, when it changes.
    std::optional<std::string> position;
};

BrowseResult browseFirst(const std::filesystem::path &file, Record &buffer);
BrowseResult browseLast(const std::filesystem::path &file, Record &buffer);
BrowseResult browseNext(const std::filesystem::path &file, Record &buffer, std::string_view position);
BrowseResult browsePrevious(const std::filesystem::path &file, Record &buffer, std::string_view position);

enum class SaveOutcome { Appended, Overwritten };

struct SaveResult {
    SaveOutcome outcome;
    std::size_t position; // 1-based position of the record written
};

// Overwrites the record at `position`, or appends when the position is empty.
SaveResult saveRecord(const std::filesystem::path &file, const Record &record, std::string_view position);

// The record count of a file (created empty when missing).
std::size_t recordCount(const std::filesystem::path &file, std::size_t recordLength);

// Reads the record at a 1-based position into `buffer`.
void readRecordAt(const std::filesystem::path &file, Record &buffer, std::size_t position);

// Parses a position label: empty gives 0; anything but decimal digits throws.
std::size_t parsePosition(std::string_view text);

} // namespace records
