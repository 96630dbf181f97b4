// Any record bytes, from any of the three files, make an export file that
// holds no line break and exactly one cell per column and row, whatever the
// fields contain: a stored markup character or line break must never end a
// cell or a row early.
#include "fuzzcheck.h"
#include "records/exportgrid.h"
#include "records/recordfiles.h"
#include "records/search.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

std::size_t occurrences(const std::string &text, const std::string &piece)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size()))
        ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the file, the rest are its records.
    const records::RecordFileDescriptor &file = data[0] % 3 == 0   ? records::clientFile()
                                                : data[0] % 3 == 1 ? records::vehicleFile()
                                                                   : records::agreementFile();
    const records::ExportTable &table = file.exportTable;
    const std::size_t length = file.layout.recordLength();
    const std::size_t count = (size - 1) / length + 1;
    records::ExportGrid grid(table.columns.size());
    grid.resize(count);
    records::Record record(file.layout);
    for (std::size_t r = 0; r < count; ++r) {
        std::memset(record.bytes().data(), 0, length);
        const std::size_t from = 1 + r * length;
        if (from < size)
            std::memcpy(record.bytes().data(), data + from, std::min(length, size - from));
        for (std::size_t k = 0; k < table.columns.size(); ++k)
            grid.setCell(r, k, records::storedField(record, *file.layout.indexOf(table.columns[k].field)));
    }
    const std::string out = records::spreadsheetFile(table.worksheet, table.columns, grid);
    FUZZ_CHECK(out.find_first_of("\r\n") == std::string::npos);
    FUZZ_CHECK(occurrences(out, "<td") == (count + 1) * table.columns.size());
    FUZZ_CHECK(occurrences(out, "<tr>") == count + 1);
    FUZZ_CHECK(occurrences(out, "</td>") == (count + 1) * table.columns.size());
    FUZZ_CHECK(out.size() >= 14 && out.compare(out.size() - 14, 14, "</body></html>") == 0);
    return 0;
}
