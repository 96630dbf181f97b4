#include "records/layout.h"

#include <array>

namespace records {

namespace {

constexpr FieldKind H = FieldKind::Hidden;

// The record layouts read best one field a line, as the byte tables list them.
// clang-format off

constexpr std::array kClientFields = {
    FieldDef{"Name", 250},
    FieldDef{"Gender", 1},
    FieldDef{"BirthDate", 10},
    FieldDef{"BirthPlace", 50},
    FieldDef{"Street", 250},
    FieldDef{"City", 50},
    FieldDef{"State", 50},
    FieldDef{"Zip", 30},
    FieldDef{"Citizenship", 50},
    FieldDef{"TaxNumber", 50},
    FieldDef{"SSN", 50},
    FieldDef{"Email", 50},
    FieldDef{"HomePhone", 30},
    FieldDef{"MobilePhone", 30},
    FieldDef{"Communication", 50},
    FieldDef{"Work", 250},
    FieldDef{"License", 50},
    FieldDef{"IssDate", 10},
    FieldDef{"ExpDate", 10},
    FieldDef{"Authority", 250},
    FieldDef{"Issues", 250},
    FieldDef{"Vehicles", 250},
    FieldDef{"Method", 250},
    FieldDef{"Bank", 250},
    FieldDef{"Status", 250},
    FieldDef{"Notes", 250},
    FieldDef{"File01", 250, H},
    FieldDef{"File02", 250, H},
    FieldDef{"File03", 250, H},
    FieldDef{"Desc01", 250, H},
    FieldDef{"Desc02", 250, H},
    FieldDef{"Desc03", 250, H},
};

constexpr std::array kVehicleFields = {
    FieldDef{"Type", 50},
    FieldDef{"Services", 250},
    FieldDef{"Make", 50},
    FieldDef{"Model", 50},
    FieldDef{"Plate", 50},
    FieldDef{"Year", 4},
    FieldDef{"Color", 50},
    FieldDef{"VIN", 50},
    FieldDef{"Tires", 250},
    FieldDef{"Engine", 50},
    FieldDef{"Odometer", 50},
    FieldDef{"DateOdo", 10},
    FieldDef{"Fuel", 50},
    FieldDef{"Displacement", 50},
    FieldDef{"KW", 50},
    FieldDef{"Environment", 50},
    FieldDef{"Seats", 50},
    FieldDef{"Weight", 50},
    FieldDef{"Insurance", 250},
    FieldDef{"Cost", 50},
    FieldDef{"Value", 50},
    FieldDef{"Incidents", 250},
    FieldDef{"Breakdowns", 250},
    FieldDef{"Renter", 250},
    FieldDef{"PhoneOwn", 50},
    FieldDef{"Daily", 50},
    FieldDef{"Weekly", 50},
    FieldDef{"Monthly", 50},
    FieldDef{"Extra", 250},
    FieldDef{"Mechanic", 250},
    FieldDef{"PhoneMec", 50},
    FieldDef{"Notes", 250},
    FieldDef{"File01", 250, H},
    FieldDef{"File02", 250, H},
    FieldDef{"File03", 250, H},
    FieldDef{"Desc01", 250, H},
    FieldDef{"Desc02", 250, H},
    FieldDef{"Desc03", 250, H},
};

constexpr std::array kAgreementFields = {
    FieldDef{"Company01", 250},
    FieldDef{"Company02", 250},
    FieldDef{"Company03", 250},
    FieldDef{"Company04", 250},
    FieldDef{"Number", 20},
    FieldDef{"Date", 10},
    FieldDef{"Name", 250},
    FieldDef{"Gender", 1},
    FieldDef{"BirthDate", 10},
    FieldDef{"BirthPlace", 50},
    FieldDef{"MobilePhone", 30},
    FieldDef{"Street", 250},
    FieldDef{"City", 50},
    FieldDef{"State", 50},
    FieldDef{"Zip", 30},
    FieldDef{"License", 50},
    FieldDef{"IssDate", 10},
    FieldDef{"ExpDate", 10},
    FieldDef{"Authority", 250},
    FieldDef{"Type", 50},
    FieldDef{"Make", 50},
    FieldDef{"Model", 50},
    FieldDef{"Plate", 50},
    FieldDef{"VIN", 50},
    FieldDef{"Damage", 250},
    FieldDef{"Insurance", 250},
    FieldDef{"OdoOut", 50},
    FieldDef{"OdoIn", 50},
    FieldDef{"FuelOut", 50},
    FieldDef{"FuelIn", 50},
    FieldDef{"Services", 250},
    FieldDef{"Extra", 250},
    FieldDef{"Daily", 50},
    FieldDef{"Days", 50},
    FieldDef{"Deposit", 50},
    FieldDef{"Total", 50},
    FieldDef{"Payment", 250},
    FieldDef{"PickUpDate", 10},
    FieldDef{"PickUpTime", 10},
    FieldDef{"PickUpLocation", 50},
    FieldDef{"ReturnDate", 10},
    FieldDef{"ReturnTime", 10},
    FieldDef{"ReturnLocation", 50},
};
// clang-format on

constexpr Layout kClient{kClientFields};
constexpr Layout kVehicle{kVehicleFields};
constexpr Layout kAgreement{kAgreementFields};

// The byte layout of existing data folders must never move.
static_assert(kClient.recordLength() == kClientRecordLength);
static_assert(kVehicle.recordLength() == kVehicleRecordLength);
static_assert(kAgreement.recordLength() == kAgreementRecordLength);
static_assert(kAgreementFields.size() <= Layout::kMaxFields);
static_assert(kClientFields.size() == 32 && kVehicleFields.size() == 38 && kAgreementFields.size() == 43);

} // namespace

std::optional<std::size_t> Layout::indexOf(std::string_view name) const
{
    for (std::size_t k = 0; k < m_fields.size(); ++k) {
        if (m_fields[k].name == name)
            return k;
    }
    return std::nullopt;
}

const Layout &clientLayout() { return kClient; }
const Layout &vehicleLayout() { return kVehicle; }
const Layout &agreementLayout() { return kAgreement; }

} // namespace records
