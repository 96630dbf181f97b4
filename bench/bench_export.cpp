#include "benchmain.h"
// The client export on 50,000 clients, as the desk meets it: the window opens
// and fills its grid from the file, the user scrolls to the last row, then
// the export writes the file through the safe writer.
#include "clientfile.h"
#include "exchange/exportwindow.h"
#include "records/datafolder.h"
#include "records/exportgrid.h"
#include "records/recordfiles.h"
#include "records/safefile.h"
#include "ui/dialogs/scripteddialogs.h"

#include <QApplication>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

std::filesystem::path dataHome() { return std::filesystem::temp_directory_path() / "carvello_bench_home"; }

exchange::ExportWindow::Design clientExport()
{
    return {QStringLiteral("TfrmExpClients"), records::clientFile(), help::Topic::Export};
}

// Opening the window until its grid is painted and scrolled to the last row.
void BM_ExportWindowFills(benchmark::State &state)
{
    bench::ensureClientFile(dataHome() / "Drivora" / "Clients.Pro", bench::kManyClients);
    ui::ScriptedDialogs dialogs;
    for (auto _ : state) {
        exchange::ExportWindow window(clientExport(), nullptr);
        window.show();
        auto *grid = window.findChild<QTableView *>(QStringLiteral("grdRecords"));
        grid->scrollToBottom();
        QApplication::processEvents();
        if (grid->model()->rowCount() != int(bench::kManyClients)) {
            state.SkipWithError("the grid does not hold every client");
            return;
        }
    }
}
BENCHMARK(BM_ExportWindowFills)->Unit(benchmark::kMillisecond)->UseRealTime();

// The export itself: the file built from the grid and written whole.
void BM_ExportWrite(benchmark::State &state)
{
    bench::ensureClientFile(dataHome() / "Drivora" / "Clients.Pro", bench::kManyClients);
    const records::RecordFileDescriptor &file = records::clientFile();
    records::ExportGrid grid(file.exportTable.columns.size());
    records::fillExportGrid(grid, file.path(), file.layout, file.exportTable.columns);
    const std::filesystem::path target = records::dataFile(file.exportTable.fileName);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string content =
            records::spreadsheetFile(file.exportTable.worksheet, file.exportTable.columns, grid);
        bytes = content.size();
        if (!records::replaceFile(target, content)) {
            state.SkipWithError("the export could not be written");
            return;
        }
    }
    state.counters["file_mb"] = double(bytes) / 1e6;
}
BENCHMARK(BM_ExportWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataHome().string()));
    return bench::runWindowBenchmarks(argc, argv);
}
