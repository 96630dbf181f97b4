#pragma once

#include "records/layout.h"
#include "records/record.h"

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

namespace bench {

// The size of client file the desk's figures are quoted for.
constexpr std::size_t kManyClients = 50000;

// A client record with every visible field filled, so that showing one costs
// what it costs on a real desk rather than on empty fields.
inline records::Record clientRecord(std::size_t k)
{
    records::Record r(records::clientLayout());
    const std::string n = std::to_string(k);
    r.setText("Name", "Client number " + n + " Rossi");
    r.setText("Gender", k % 2 ? "M" : "F");
    r.setText("BirthDate", "12/03/1971");
    r.setText("BirthPlace", "Forlì");
    r.setText("Street", "Via Roma " + n);
    r.setText("City", k % 2 ? "Bologna" : "Rimini");
    r.setText("State", "Emilia-Romagna");
    r.setText("Zip", "47921");
    r.setText("Citizenship", "Italian");
    r.setText("TaxNumber", "RSSMRA71C12D704" + n);
    r.setText("SSN", "SSN" + n);
    r.setText("Email", "client" + n + "@mail.it");
    r.setText("HomePhone", "0541" + n);
    r.setText("MobilePhone", "333" + n);
    r.setText("Communication", "E-mail");
    r.setText("Work", "Employee of a company with a rather long name, department " + n);
    r.setText("License", "RN" + n);
    r.setText("IssDate", "01/02/2015");
    r.setText("ExpDate", "01/02/2035");
    r.setText("Authority", "Motorizzazione Civile di Rimini");
    r.setText("Issues", "");
    r.setText("Vehicles", "Fiat Panda, Lancia Ypsilon");
    r.setText("Method", "Credit card");
    r.setText("Bank", "Banca di Romagna");
    r.setText("Status", "Regular client");
    r.setText("Notes", "Prefers a car with an automatic gearbox; returns on time.");
    return r;
}

// Writes `count` client records to `path` unless a file of exactly that size
// is already there: writing 230 MB on every run would dominate the run.
inline void ensureClientFile(const std::filesystem::path &path, std::size_t count)
{
    std::error_code ec;
    if (std::filesystem::exists(path, ec)
        && std::filesystem::file_size(path, ec) == count * records::kClientRecordLength)
        return;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t k = 1; k <= count; ++k) {
        const records::Record r = clientRecord(k);
        out.write(reinterpret_cast<const char *>(r.bytes().data()), static_cast<std::streamsize>(r.bytes().size()));
    }
}

} // namespace bench
