#pragma once

#include "records/layout.h"

#include <filesystem>
#include <string_view>

namespace records {

// Everything the program knows about one kind of record file: its layout and
// where the file lives. Windows take their file from here and nowhere else;
// the tables of the windows that read a whole file (search criteria, result
// columns, export columns) are added here as rows.
struct RecordFileDescriptor {
    // A short word naming the database, for test rows and diagnostics.
    std::string_view name;
    const Layout &layout;
    // The file's name in the data folder; empty when the user chooses the
    // file at run time (the yearly agreement files).
    std::string_view fileName;

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

// The agreement file of one calendar year: "<year>.rnt" in the data folder.
std::filesystem::path agreementYearFile(std::string_view year);

} // namespace records
