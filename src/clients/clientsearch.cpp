#include "clients/clientsearch.h"

#include "agreements/agreementimport.h"
#include "search/handbacks.h"

namespace clients {

const search::SearchDesign &clientSearch()
{
    static const search::SearchDesign design = [] {
        search::SearchDesign d;
        d.className = QStringLiteral("TfrmFindClients");
        d.caption = QStringLiteral(" Find clients in database");
        d.banner = QStringLiteral("FIND CLIENTS");
        d.resultTitle = QStringLiteral("CLIENTS FOUND");
        d.file = &records::clientFile();
        d.list = &records::clientFile().search;
        d.criteria = {
            {"txtName", "Client's name:", "effCampo01", 1, false},
            {"txtTaxNumber", "Tax Number:", "effCampo02", 1, true},
            {"txtStreet", "Street address:", "effCampo09", 2, false},
            {"txtCity", "City:", "effCampo10", 2, true},
            {"txtLicense", "Driver's License Number:", "effCampo05", 3, false},
            {"txtVehicles", "Vehicles of interest:", "effCampo06", 3, true},
            {"txtWork", "Work address:", "effCampo07", 4, false},
            {"txtIssues", "Pending issues:", "effCampo08", 4, true},
            {"txtStatus", "Payment status:", "effCampo03", 5, false},
            {"txtNotes", "Notes:", "effCampo04", 5, true},
        };
        d.printTitle = QStringLiteral("Clients in database");
        d.handBacks = {
            {QStringLiteral("clients"), search::showInEditor},
            {QStringLiteral("rent_receipts"), [](QWidget *caller, const records::Record &client,
                                                 std::size_t) { agreements::importDriver(caller, client); }},
        };
        return d;
    }();
    return design;
}

const search::SearchDesign &pendingIssues()
{
    static const search::SearchDesign design = [] {
        search::SearchDesign d;
        d.className = QStringLiteral("TfrmListIssues");
        d.caption = QStringLiteral(" Pending issues with clients");
        d.resultTitle = QStringLiteral("PENDING ISSUES WITH CLIENTS");
        d.file = &records::clientFile();
        d.list = &records::pendingIssuesList();
        d.listedWhen = "Issues";
        d.printTitle = QStringLiteral("Pending issues with clients");
        d.handBacks = {{QString(), search::showInEditor}};
        d.anyCallerWord = true;
        return d;
    }();
    return design;
}

} // namespace clients
