#include "benchmain.h"
// The client editor on a large client file, through the same engine and
// widgets the desk uses: a click goes through the button, the engine, the
// record file and back into every field of the window.
#include "app/startup.h"
#include "clientfile.h"
#include "clients/clienteditor.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// Kept between runs beside the record benchmarks' files (see
// bench_records.cpp for why TMPDIR matters), so the 230 MB file is written once.
std::filesystem::path dataHome() { return std::filesystem::temp_directory_path() / "carvello_bench_home"; }

// The Last button of the client editor on 50,000 clients.
void BM_ClientEditorLast(benchmark::State &state)
{
    bench::ensureClientFile(dataHome() / "Drivora" / "Clients.Pro", bench::kManyClients);
    ui::ScriptedDialogs dialogs;
    clients::TfrmClients editor;
    editor.show();
    auto *last = editor.findChild<ui::PictureButton *>(QStringLiteral("cmdLast"));
    auto *position = editor.findChild<QLabel *>(QStringLiteral("lblPosizione"));
    auto *name = editor.findChild<QLineEdit *>(QStringLiteral("txtName"));
    if (!last || !position || !name) {
        state.SkipWithError("the editor has no Last button, position label or name field");
        return;
    }
    for (auto _ : state) {
        last->click();
        // The figure includes painting the new record, as the desk sees it.
        QApplication::processEvents();
        benchmark::DoNotOptimize(position->text());
    }
    const QString expected = QString::number(bench::kManyClients);
    if (position->text() != expected || !name->text().contains(expected) || !dialogs.messages.isEmpty())
        state.SkipWithError("the last client was not shown");
}
BENCHMARK(BM_ClientEditorLast)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataHome().string()));
    return bench::runWindowBenchmarks(argc, argv);
}
