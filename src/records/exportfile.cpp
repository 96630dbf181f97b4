// Writes the spreadsheet export of a record file from the command line, the
// way the export windows write it when nothing has been typed into the grid:
// for checking exports in a spreadsheet program without the windows.
//
//   carvello_exportfile clients|fleet|agreements <record file> <export file>
//   carvello_exportfile clients|fleet|agreements --layout
//
// The second form prints the record layout, one "field capacity" line per
// field in file order, and then the exported fields, one "export field" line
// each, so a script can write record files of its own.

#include "records/exportgrid.h"
#include "records/recordfiles.h"
#include "records/safefile.h"

#include <cstdio>
#include <string_view>

int main(int argc, char **argv)
{
    if (argc != 4 && argc != 3) {
        std::fprintf(stderr, "usage: %s clients|fleet|agreements <record file> <export file>\n", argv[0]);
        return 2;
    }
    const std::string_view which = argv[1];
    const records::RecordFileDescriptor *file = which == "clients"      ? &records::clientFile()
                                                : which == "fleet"      ? &records::vehicleFile()
                                                : which == "agreements" ? &records::agreementFile()
                                                                        : nullptr;
    if (!file) {
        std::fprintf(stderr, "unknown database: %s\n", argv[1]);
        return 2;
    }
    const records::ExportTable &table = file->exportTable;
    if (argc == 3) {
        if (std::string_view(argv[2]) != "--layout")
            return 2;
        for (const records::FieldDef &f : file->layout.fields())
            std::printf("%.*s %d\n", static_cast<int>(f.name.size()), f.name.data(), static_cast<int>(f.capacity));
        for (const records::ExportColumn &c : table.columns)
            std::printf("export %.*s\n", static_cast<int>(c.field.size()), c.field.data());
        return 0;
    }
    records::ExportGrid grid(table.columns.size());
    grid.resize(records::kExportEmptyRows);
    records::fillExportGrid(grid, argv[2], file->layout, table.columns);
    if (!records::replaceFile(argv[3], records::spreadsheetFile(table.worksheet, table.columns, grid))) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
