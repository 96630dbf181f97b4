#include "report/reportoutput.h"

#include "records/safefile.h"
#include "ui/dialogs/dialogs.h"
#include "ui/qtext.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <cmath>

namespace report {

namespace {

double pixelsPerMm(const QPaintDevice &device) { return device.logicalDpiX() / 25.4; }

// Pages `from` to `to` (1-based, inclusive) one after another on an open
// painter; the device's page layout follows each page.
void paintRange(QPainter &painter, QPagedPaintDevice &device, const PreparedReport &report, int from, int to,
                bool &firstSheet)
{
    for (int n = from; n <= to; ++n) {
        const PreparedPage &page = report.pages.at(n - 1);
        if (!firstSheet) {
            device.setPageLayout(pageLayout(page));
            if (!device.newPage())
                throw ReportError(QStringLiteral("A new page could not be started."));
        }
        firstSheet = false;
        renderPage(painter, page, pixelsPerMm(device));
    }
}

void checkPages(const PreparedReport &report)
{
    if (report.pages.isEmpty())
        throw ReportError(QStringLiteral("The report \"%1\" has not been prepared.").arg(report.name));
}

} // namespace

QPageLayout pageLayout(const PreparedPage &page)
{
    // Page sizes are portrait; a landscape sheet is the same paper turned.
    const bool landscape = page.paper.width() > page.paper.height();
    const QSizeF portrait = landscape ? page.paper.transposed() : page.paper;
    const QPageSize size = page.paperSizeCode == 9
                               ? QPageSize(QPageSize::A4)
                               : QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

void paintPages(QPagedPaintDevice &device, const PreparedReport &report, int fromPage, int toPage)
{
    checkPages(report);
    const int last =
        toPage <= 0 ? static_cast<int>(report.pages.size()) : std::min(toPage, static_cast<int>(report.pages.size()));
    const int first = std::max(1, fromPage);
    if (first > last)
        return;
    device.setPageLayout(pageLayout(report.pages.at(first - 1)));
    QPainter painter;
    if (!painter.begin(&device))
        throw ReportError(QStringLiteral("The document could not be started."));
    bool firstSheet = true;
    paintRange(painter, device, report, first, last, firstSheet);
    if (!painter.end())
        throw ReportError(QStringLiteral("The document could not be finished."));
}

bool printReport(QWidget *parent, const PreparedReport &report)
{
    checkPages(report);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(report.name);
    printer.setCreator(QStringLiteral("Carvello"));
    printer.setFullPage(true);
    printer.setPageLayout(pageLayout(report.pages.first()));
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    if (!ui::Dialogs::instance().choosePrinter(parent, printer))
        return false;

    const int count = static_cast<int>(report.pages.size());
    int from = 1;
    int to = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage();
        to = printer.toPage() > 0 ? std::min(printer.toPage(), count) : count;
    }
    if (from > to)
        return true;
    // Drivers that cannot make copies themselves get the pages again.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    printer.setFullPage(true);
    printer.setPageLayout(pageLayout(report.pages.at(from - 1)));
    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(QStringLiteral("The printer \"%1\" could not be started.").arg(printer.printerName()));
    bool firstSheet = true;
    for (int copy = 0; copy < copies; ++copy)
        paintRange(painter, printer, report, from, to, firstSheet);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw ReportError(QStringLiteral("The printer \"%1\" reported an error.").arg(printer.printerName()));
    return true;
}

void exportPdf(const PreparedReport &report, QIODevice *device)
{
    checkPages(report);
    QPdfWriter writer(device);
    writer.setTitle(report.name);
    writer.setCreator(QStringLiteral("Carvello"));
    writer.setResolution(1200);
    paintPages(writer, report);
}

void exportPdf(const PreparedReport &report, const QString &fileName)
{
    checkPages(report);
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    exportPdf(report, &buffer);
    buffer.close();
    // A failed save leaves an earlier file of that name whole.
    if (!records::replaceFile(ui::fromQtPath(fileName),
                              std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size()))))
        throw ReportError(QStringLiteral("The file \"%1\" cannot be written.").arg(fileName));
}

QImage renderImage(const PreparedPage &page, double dotsPerInch)
{
    const double perMm = dotsPerInch / 25.4;
    const QSize size(static_cast<int>(std::ceil(page.paper.width() * perMm)),
                     static_cast<int>(std::ceil(page.paper.height() * perMm)));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(std::lround(perMm * 1000));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    renderPage(painter, page, perMm);
    return image;
}

} // namespace report
