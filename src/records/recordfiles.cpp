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

constexpr ExportColumn kClientExport[] = {
    {"Name", "Client", 250, 300, false},
    {"Gender", "Gender", 90, 100, false},
    {"BirthDate", "Date of birth", 120, 200, false},
    {"BirthPlace", "Place of birth", 200, 250, false},
    {"Street", "Street address", 250, 400, false},
    {"City", "City", 200, 250, true},
    {"State", "State", 200, 250, true},
    {"Citizenship", "Citizenship", 200, 250, false},
    {"TaxNumber", "Tax Number", 200, 250, false},
    {"SSN", "Social Security Number", 200, 250, false},
    {"Email", "E-mail", 200, 250, true},
    {"HomePhone", "Home phone", 200, 200, true},
    {"MobilePhone", "Cell phone", 200, 250, false},
    {"Communication", "Communication method", 250, 250, false},
    {"Work", "Work address", 300, 400, true},
    {"License", "Driver's License Number", 200, 250, true},
    {"IssDate", "Issue date", 150, 200, true},
    {"ExpDate", "Expiration date", 150, 250, true},
    {"Authority", "Issuing Authority", 250, 400, true},
    {"Issues", "Pending issues", 300, 400, true},
    {"Vehicles", "Vehicles of interest", 300, 400, true},
    {"Method", "Payment method", 250, 250, true},
    {"Bank", "Credit card details", 300, 400, false},
    {"Status", "Payment status", 300, 300, true},
    {"Notes", "Notes", 350, 400, true},
};

constexpr ExportColumn kVehicleExport[] = {
    {"Type", "Type of vehicle", 200, 250, false},
    {"Services", "Services included", 300, 400, false},
    {"Make", "Make", 200, 250, false},
    {"Model", "Model", 200, 250, false},
    {"Plate", "Plate number", 120, 200, false},
    {"Year", "Year", 100, 180, true},
    {"Color", "Color", 200, 250, true},
    {"VIN", "VIN", 180, 250, false},
    {"Tires", "Tires", 250, 400, false},
    {"Engine", "Engine number", 180, 250, false},
    {"Odometer", "Last odometer reading", 180, 250, true},
    {"DateOdo", "Date of reading", 120, 200, true},
    {"Fuel", "Fuel type", 200, 250, false},
    {"Displacement", "Displacement", 180, 200, false},
    {"Environment", "Environmental sustainability", 200, 250, true},
    {"Insurance", "Insurance", 250, 350, true},
    {"Cost", "Purchase cost", 180, 200, true},
    {"Value", "Current value", 180, 200, true},
    {"Incidents", "Accidents", 300, 400, true},
    {"Breakdowns", "Breakdowns", 300, 400, true},
    {"Daily", "Daily price", 180, 250, true},
    {"Extra", "Extra costs", 300, 400, true},
    {"Mechanic", "Mechanic", 200, 250, false},
    {"PhoneMec", "Phone", 200, 200, true},
    {"Notes", "Notes", 350, 350, true},
};

constexpr ExportColumn kAgreementExport[] = {
    {"Number", "Rental Agreement No.", 170, 250, false},
    {"Date", "Date of issue", 140, 200, false},
    {"Name", "Driver's name", 200, 250, false},
    {"BirthDate", "Date of birth", 140, 200, false},
    {"BirthPlace", "Place of birth", 200, 250, false},
    {"MobilePhone", "Cell phone", 150, 200, true},
    {"Street", "Street address", 250, 400, false},
    {"City", "City", 200, 250, true},
    {"Zip", "Zip Code", 150, 200, false},
    {"License", "Driver's License Number", 180, 250, false},
    {"ExpDate", "Expiration date", 140, 200, false},
    {"Type", "Type of vehicle", 200, 250, true},
    {"Make", "Make", 200, 250, true},
    {"Model", "Model", 200, 250, true},
    {"Plate", "Plate number", 150, 200, true},
    {"Damage", "Damage to rental car", 300, 400, true},
    {"Insurance", "Insurance", 300, 300, true},
    {"Daily", "Daily price", 140, 200, true},
    {"Deposit", "Deposit", 140, 200, true},
    {"Total", "Total", 140, 200, true},
    {"Payment", "Payment details", 300, 400, true},
    {"PickUpDate", "Pick-up date", 140, 200, true},
    {"PickUpLocation", "Pick-up location", 200, 250, true},
    {"ReturnDate", "Return date", 140, 200, true},
    {"ReturnLocation", "Return location", 200, 250, true},
};
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
    static const RecordFileDescriptor file{"clients",
                                           clientLayout(),
                                           "Clients.Pro",
                                           {kClientCriteria, kClientLine},
                                           {kClientExport, "Clients_Database.xls", "Clients Database"}};
    return file;
}

const RecordFileDescriptor &vehicleFile()
{
    static const RecordFileDescriptor file{"fleet",
                                           vehicleLayout(),
                                           "Vehicle_Fleet.pro",
                                           {kVehicleCriteria, kVehicleLine},
                                           {kVehicleExport, "Vehicle_Fleet.xls", "Vehicle Fleet"}};
    return file;
}

const RecordFileDescriptor &agreementFile()
{
    static const RecordFileDescriptor file{"agreements",
                                           agreementLayout(),
                                           "",
                                           {kAgreementCriteria, kAgreementLine},
                                           {kAgreementExport, "Rental_Agreements.xls", "Rental Agreements"}};
    return file;
}

const ResultList &pendingIssuesList()
{
    static const ResultList list{{}, kIssuesLine};
    return list;
}

std::filesystem::path agreementYearFile(std::string_view year) { return dataFile(std::string(year) + ".rnt"); }

} // namespace records
