#pragma once

#include "records/exportwriter.h"
#include "records/layout.h"
#include "records/search.h"

#include <filesystem>
#include <span>
#include <string_view>

namespace records {

// A list of records built from a whole file: the record fields its criteria
// are compared with (in the order of the criteria fields) and the columns of
// its result lines.
struct ResultList {
    std::span<const std::string_view> criteria;
    std::span<const LineColumn> columns;
};

// The spreadsheet export of a record file: its columns, the file it is
// written to in the data folder and the worksheet's name.
struct ExportTable {
    std::span<const ExportColumn> columns;
    std::string_view fileName;
    std::string_view worksheet;
};

// Everything the program knows about one kind of record file: its layout,
// where the file lives and how its records are searched and listed. Windows
// take their file and their tables from here and nowhere else; the tables of
// the windows still to come (export columns) are added here as rows.
struct RecordFileDescriptor {
    // A short word naming the database, for test rows and diagnostics.
    std::string_view name;
    const Layout &layout;
    // The file's name in the data folder; empty when the user chooses the
    // file at run time (the yearly agreement files).
    std::string_view fileName;
    // The search window's criteria and result lines.
    ResultList search;
    ExportTable exportTable;

    bool inDataFolder() const { return !fileName.empty(); }

    // The file to open for one action. Files of the data folder ignore
    // `chosen`; a chosen file is taken as given. Either way the folder the
    // file lives in is created first, because the user may have deleted it
    // since the last action.
    std::filesystem::path path(const std::filesystem::path &chosen = {}) const;
};

const RecordFileDescriptor &clientFile();
const RecordFileDescriptor &vehicleFile();
const RecordFileDescriptor &agreementFile();

// The clients with a pending issue, one line each with the issue: a list over
// the client file without criteria, other than a non-empty Issues field.
const ResultList &pendingIssuesList();

// The agreement file of one calendar year: "<year>.rnt" in the data folder.
std::filesystem::path agreementYearFile(std::string_view year);

} // namespace records
