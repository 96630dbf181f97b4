#include "agreements/agreementimport.h"

#include "ui/editor/editorwindow.h"

#include <string_view>

namespace agreements {

namespace {

constexpr std::string_view kDriverFields[] = {"Name",    "Gender",  "BirthDate", "BirthPlace", "MobilePhone",
                                              "Street",  "City",    "State",     "Zip",        "License",
                                              "IssDate", "ExpDate", "Authority"};
constexpr std::string_view kVehicleFields[] = {"Type",      "Make",     "Model", "Plate", "VIN",
                                               "Insurance", "Services", "Extra", "Daily"};

void import(QWidget *agreementEditor, const records::Record &record, std::span<const std::string_view> fields)
{
    if (auto *editor = qobject_cast<ui::EditorWindow *>(agreementEditor))
        editor->copyFields(record, fields);
}

} // namespace

void importDriver(QWidget *agreementEditor, const records::Record &client)
{
    import(agreementEditor, client, kDriverFields);
}

void importVehicle(QWidget *agreementEditor, const records::Record &vehicle)
{
    import(agreementEditor, vehicle, kVehicleFields);
}

} // namespace agreements
