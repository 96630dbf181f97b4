#include "agreements/agreementdocument.h"
#include "agreements/logo.h"
#include "app/startup.h"
#include "benchmain.h"
#include "records/layout.h"
#include "records/record.h"
#include "report/pictures.h"
#include "report/reportlayout.h"
#include "report/reportoutput.h"

#include <QApplication>
#include <QBuffer>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// An agreement as the print window receives it from the editor: every field
// holds a long value.
const records::Record &agreementRecord()
{
    static const records::Record agreement = [] {
        records::Record r(records::agreementLayout());
        for (const records::FieldDef &f : records::agreementLayout().fields())
            r.setText(f.name, "Value of " + std::string(f.name) + " with a few more words than usual");
        return r;
    }();
    return agreement;
}

report::PreparedReport preparedAgreement()
{
    report::Report document = report::Report::load(agreements::kAgreementTemplate);
    agreements::fillAgreement(document, agreementRecord(), agreements::defaultLogo());
    return report::prepare(document);
}

void BM_AgreementLoadTemplate(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(report::Report::load(agreements::kAgreementTemplate));
}
BENCHMARK(BM_AgreementLoadTemplate)->Unit(benchmark::kMillisecond);

// What the print window does before handing the pages over: load, fill, prepare.
void BM_AgreementFillAndPrepare(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(preparedAgreement());
}
BENCHMARK(BM_AgreementFillAndPrepare)->Unit(benchmark::kMillisecond);

// Preparing and drawing the page as the preview shows it at 100 %.
void BM_AgreementPrepareAndDrawScreen(benchmark::State &state)
{
    for (auto _ : state) {
        const report::PreparedReport prepared = preparedAgreement();
        benchmark::DoNotOptimize(report::renderImage(prepared.pages.first(), 96));
    }
}
BENCHMARK(BM_AgreementPrepareAndDrawScreen)->Unit(benchmark::kMillisecond);

// Preparing and drawing the page into a PDF document, as printing does.
void BM_AgreementPrepareAndDrawPdf(benchmark::State &state)
{
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        report::exportPdf(preparedAgreement(), &buffer);
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(BM_AgreementPrepareAndDrawPdf)->Unit(benchmark::kMillisecond);

// A result list of many lines split over landscape pages.
void BM_ListReportPrepare(benchmark::State &state)
{
    const auto lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        report::Report report = report::Report::load(QStringLiteral(":/templates/search_results.json"));
        report::ReportObject &list = report.textObject(QStringLiteral("txtRiepilogo"));
        list.clearLines();
        for (int k = 0; k < lines; ++k)
            list.addLine(QStringLiteral("%1 | Client number %2 | Rimini | 47921").arg(k, 5).arg(k));
        list.setHeightUnits(lines * 12.822);
        report.band(QStringLiteral("MasterData")).setHeightUnits(lines * 12.822 + 10);
        benchmark::DoNotOptimize(report::prepare(report));
    }
}
BENCHMARK(BM_ListReportPrepare)->Arg(150)->Arg(2000)->Unit(benchmark::kMillisecond);

// A search result list filled as the search windows fill it, laid out and
// written as a PDF document, as the preview's Save as PDF does (into memory,
// so that the figure is the program's work, not the disk's).
void BM_ListReportPdf(benchmark::State &state)
{
    const auto lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        report::Report report = report::Report::load(QStringLiteral(":/templates/search_results.json"));
        report.textObject(QStringLiteral("txtTitolo")).setText(QStringLiteral("Clients in database"));
        report.textObject(QStringLiteral("txtPagina")).setText(QStringLiteral("Printed on 01/02/2026 at 10:11:12 hrs"));
        report::ReportObject &list = report.textObject(QStringLiteral("txtRiepilogo"));
        list.clearLines();
        for (int k = 0; k < lines; ++k)
            list.addLine(QStringLiteral("%1 | Client number %2 | Rimini | 47921").arg(k, 5).arg(k));
        list.setHeightUnits(lines * 12.822);
        report.band(QStringLiteral("MasterData")).setHeightUnits(lines * 12.822 + 10);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        report::exportPdf(report::prepare(report), &buffer);
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(BM_ListReportPdf)->Arg(150)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return bench::runWindowBenchmarks(argc, argv); }
