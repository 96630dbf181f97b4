#include "app/startup.h"
#include "benchmain.h"
#include "records/layout.h"
#include "records/record.h"
#include "records/recordfiles.h"
#include "records/search.h"
#include "search/resultmodel.h"

#include <QApplication>
#include <QListView>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// From the end of a search to a list of 50,000 lines on screen and scrolled
// to its last line: what the desk waits for after a search with every
// criterion empty.

namespace {

std::vector<std::string> lines(std::size_t count)
{
    records::Record r(records::clientLayout());
    std::vector<std::string> out;
    out.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        r.setText("Name", "Surname" + std::to_string(k) + " Firstname");
        r.setText("MobilePhone", "+39 333 " + std::to_string(1000000 + k));
        r.setText("License", "DL" + std::to_string(k));
        r.setText("Vehicles", "Compact cars, automatic gearbox");
        out.push_back(records::resultLine(r, records::clientFile().search.columns));
    }
    records::sortLines(out);
    return out;
}

void BM_ListShowsAndScrolls(benchmark::State &state)
{
    const std::vector<std::string> found = lines(static_cast<std::size_t>(state.range(0)));
    search::ResultLines model;
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(12);
    view.setFont(font);
    view.resize(830, 300);
    view.show();
    QApplication::processEvents();
    for (auto _ : state) {
        model.setLines(found);
        QApplication::processEvents();
        view.scrollToBottom();
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        QApplication::processEvents();
        view.repaint();
        state.PauseTiming();
        model.clear();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ListShowsAndScrolls)->Arg(50000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) { return bench::runWindowBenchmarks(argc, argv); }
