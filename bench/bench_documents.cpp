#include "app/startup.h"
#include "documents/agreementdocument.h"
#include "documents/pictures.h"
#include "documents/reportlayout.h"
#include "documents/reportoutput.h"

#include <QApplication>
#include <QBuffer>
#include <QLineEdit>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// The agreement editor's fields as the print window reads them.
QWidget &agreementEditor()
{
    static QWidget *editor = [] {
        auto *w = new QWidget;
        const char *names[] = {"txtCompany01", "txtCompany02", "txtCompany03", "txtCompany04", "txtNumber", "txtDate",
            "txtName", "txtGender", "txtBirthDate", "txtBirthPlace", "txtMobilePhone", "txtStreet", "txtCity",
            "txtState", "txtZip", "txtLicense", "txtIssDate", "txtExpDate", "txtAuthority", "txtType", "txtMake",
            "txtModel", "txtPlate", "txtVIN", "txtDamage", "txtInsurance", "txtOdoOut", "txtOdoIn", "txtFuelOut",
            "txtFuelIn", "txtServices", "txtExtra", "txtDaily", "txtDays", "txtDeposit", "txtTotal", "txtPayment",
            "txtPickUpDate", "txtPickUpTime", "txtPickUpLocation", "txtReturnDate", "txtReturnTime",
            "txtReturnLocation"};
        for (const char *name : names) {
            auto *edit = new QLineEdit(w);
            edit->setObjectName(QLatin1String(name));
            edit->setText(QStringLiteral("Value of %1 with a few more words than usual").arg(QLatin1String(name)));
        }
        return w;
    }();
    return *editor;
}

documents::PreparedReport preparedAgreement()
{
    documents::Report report = documents::Report::load(documents::kAgreementTemplate);
    documents::fillAgreement(report, &agreementEditor(), documents::defaultLogo());
    return documents::prepare(report);
}

void BM_AgreementLoadTemplate(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(documents::Report::load(documents::kAgreementTemplate));
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
        const documents::PreparedReport prepared = preparedAgreement();
        benchmark::DoNotOptimize(documents::renderImage(prepared.pages.first(), 96));
    }
}
BENCHMARK(BM_AgreementPrepareAndDrawScreen)->Unit(benchmark::kMillisecond);

// Preparing and drawing the page into a PDF document, as printing does.
void BM_AgreementPrepareAndDrawPdf(benchmark::State &state)
{
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        documents::exportPdf(preparedAgreement(), &buffer);
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(BM_AgreementPrepareAndDrawPdf)->Unit(benchmark::kMillisecond);

// A result list of many lines split over landscape pages.
void BM_ListReportPrepare(benchmark::State &state)
{
    const auto lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        documents::Report report = documents::Report::load(QStringLiteral(":/templates/search_results.json"));
        documents::ReportObject &list = report.textObject(QStringLiteral("txtRiepilogo"));
        list.clearLines();
        for (int k = 0; k < lines; ++k)
            list.addLine(QStringLiteral("%1 | Client number %2 | Rimini | 47921").arg(k, 5).arg(k));
        list.setHeightUnits(lines * 12.822);
        report.band(QStringLiteral("MasterData")).setHeightUnits(lines * 12.822 + 10);
        benchmark::DoNotOptimize(documents::prepare(report));
    }
}
BENCHMARK(BM_ListReportPrepare)->Arg(150)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::prepareApplication(application);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
