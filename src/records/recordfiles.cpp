#include "records/recordfiles.h"

#include "records/datafolder.h"

#include <string>

namespace records {

std::filesystem::path RecordFileDescriptor::path(const std::filesystem::path &chosen) const
{
    if (inDataFolder())
        return dataFile(fileName);
    if (chosen.has_parent_path())
        ensureFolder(chosen.parent_path());
    return chosen;
}

const RecordFileDescriptor &clientFile()
{
    static const RecordFileDescriptor file{"clients", clientLayout(), "Clients.Pro"};
    return file;
}

const RecordFileDescriptor &vehicleFile()
{
    static const RecordFileDescriptor file{"fleet", vehicleLayout(), "Vehicle_Fleet.pro"};
    return file;
}

const RecordFileDescriptor &agreementFile()
{
    static const RecordFileDescriptor file{"agreements", agreementLayout(), ""};
    return file;
}

std::filesystem::path agreementYearFile(std::string_view year) { return dataFile(std::string(year) + ".rnt"); }

} // namespace records
