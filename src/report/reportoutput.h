#pragma once

#include "report/reportlayout.h"

#include <QPageLayout>

class QIODevice;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace report {

// The paper of a prepared page for a printer or PDF writer, without margins:
// pages are drawn from the corner of the sheet.
QPageLayout pageLayout(const PreparedPage &page);

// Draws every page on an open paged device (printer or PDF writer), starting
// a new sheet for each page after the first. Throws ReportError.
void paintPages(QPagedPaintDevice &device, const PreparedReport &report, int fromPage = 1, int toPage = 0);

// Shows the print dialog on the system's default printer with one copy and
// all pages, then prints the pages chosen. Returns false when the dialog was
// cancelled (nothing printed, no error). Throws ReportError.
bool printReport(QWidget *parent, const PreparedReport &report);

// Writes the prepared pages as a PDF file or into `device`. Throws ReportError.
void exportPdf(const PreparedReport &report, const QString &fileName);
void exportPdf(const PreparedReport &report, QIODevice *device);

// One page as a picture at `dotsPerInch`, on white paper.
QImage renderImage(const PreparedPage &page, double dotsPerInch);

} // namespace report
