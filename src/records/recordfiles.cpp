#include "records/recordfiles.h"

#include "records/datafolder.h"

#include <string>

namespace records {

namespace {

// clang-format off
constexpr std::string_view kClientCriteria[] = {
    "Name", "TaxNumber", "Street", "City", "License", "Vehicles", "Work", "Issues", "Status", "Notes"};
constexpr LineColumn kClientLine[] = {
    fieldColumn("Name", 30), literalColumn("  Cell. "), fieldColumn("MobilePhone", 18),
    literalColumn("  DL: "), fieldColumn("License", 24), literalColumn("  Cars: "), fieldColumn("Vehicles")};

constexpr LineColumn kIssuesLine[] = {
    fieldColumn("Name", 30), literalColumn("  Cell: "), fieldColumn("MobilePhone", 20),
    literalColumn("  DL: "), fieldColumn("License", 20), literalColumn("  Issue: "), fieldColumn("Issues")};

constexpr std::string_view kVehicleCriteria[] = {
    "Type", "Services", "Make", "Model", "Plate", "Seats", "Daily", "Extra", "Mechanic", "Notes"};
constexpr LineColumn kVehicleLine[] = {
    fieldColumn("Type", 24), literalColumn("  "), joinedColumn("Make", "Model", 28),
    literalColumn("  Plate: "), fieldColumn("Plate", 12), literalColumn("  Year: "), fieldColumn("Year", 4),
    literalColumn("  Color: "), fieldColumn("Color", 18), literalColumn("  Odo: "), fieldColumn("Odometer", 14),
    literalColumn("  Date: "), fieldColumn("DateOdo")};

constexpr std::string_view kAgreementCriteria[] = {
    "Number", "Date", "Name", "License", "Type", "Plate", "Make", "Model", "Damage", "Payment"};
constexpr LineColumn kAgreementLine[] = {
    literalColumn("No. "), fieldColumn("Number", 14), literalColumn("  Date: "), fieldColumn("Date", 10),
    literalColumn("  "), fieldColumn("Name", 26), literalColumn("  Cell: "), fieldColumn("MobilePhone", 14),
    literalColumn("  "), joinedColumn("Make", "Model", 26), literalColumn("  Plate: "), fieldColumn("Plate", 12),
    literalColumn("  Total: "), fieldColumn("Total")};
// clang-format on

} // namespace

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
    static const RecordFileDescriptor file{"clients", clientLayout(), "Clients.Pro", {kClientCriteria, kClientLine}};
    return file;
}

const RecordFileDescriptor &vehicleFile()
{
    static const RecordFileDescriptor file{
        "fleet", vehicleLayout(), "Vehicle_Fleet.pro", {kVehicleCriteria, kVehicleLine}};
    return file;
}

const RecordFileDescriptor &agreementFile()
{
    static const RecordFileDescriptor file{"agreements", agreementLayout(), "", {kAgreementCriteria, kAgreementLine}};
    return file;
}

const ResultList &pendingIssuesList()
{
    static const ResultList list{{}, kIssuesLine};
    return list;
}

std::filesystem::path agreementYearFile(std::string_view year) { return dataFile(std::string(year) + ".rnt"); }

} // namespace records
