#pragma once

#include <QList>
#include <QRectF>
#include <QString>

namespace testing {

// A word of a PDF file as poppler's pdftotext finds it: page (0-based) and
// its box in millimetres from the top-left corner of the sheet.
struct PdfWord {
    int page = 0;
    QString text;
    QRectF box;
};

struct PdfText {
    QList<QSizeF> pages; // millimetres
    QList<PdfWord> words;

    // Words of one page, in reading order.
    QList<PdfWord> onPage(int page) const;
    // The first word equal to `text` on `page` whose box starts at or after
    // `near` - 2 mm (both coordinates); null box when there is none.
    PdfWord find(int page, const QString &text, QPointF near = QPointF(-1, -1)) const;
    // The words whose boxes lie inside `area` (with a little tolerance), joined by blanks.
    QString textIn(int page, const QRectF &area) const;
};

// Runs `pdftotext -bbox` on the file. Fails the test when the tool is missing.
PdfText readPdfText(const QString &pdfFile);

} // namespace testing
