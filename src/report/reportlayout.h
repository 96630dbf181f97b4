#pragma once

#include "report/reportmodel.h"

#include <QFont>
#include <QList>
#include <QSizeF>

class QPainter;

namespace report {

// One line of a prepared text: what is drawn and where, in millimetres on
// the sheet. `box` spans the line's advance and the font's ascent and descent.
struct PreparedLine {
    QString text;
    QRectF box;
    double baseline = 0;
};

// One drawn item of a prepared page, in drawing order, with its final
// rectangle on the sheet in millimetres (from the top-left corner of the
// paper). Pictures: `rect` is where the scaled picture lands, `frame` the
// object's rectangle. Texts: `rect` is the object's rectangle and `lines`
// what is drawn of it, already cut at the right edge.
struct PreparedItem {
    ObjectKind kind = ObjectKind::Text;
    QString name;
    QRectF rect;
    QRectF frame;
    QList<PreparedLine> lines;
    TextFont font;
    QColor background;
    QImage picture;
    LineDirection direction = LineDirection::Horizontal;
    QColor fill;
    QColor outline;

    QString text() const;
};

struct PreparedPage {
    QSizeF paper; // millimetres, as oriented
    int paperSizeCode = 9;
    Orientation orientation = Orientation::Portrait;
    QList<PreparedItem> items;

    // The items of an object, in drawing order (a text split over pages has
    // one item on each page); names compared without regard to case.
    const PreparedItem *find(const QString &name) const;
};

struct PreparedReport {
    QString name;
    PreviewOptions preview;
    QList<PreparedPage> pages;
};

// Lays the pages out from the template and the values set in it. Pages are
// built afresh at every call. Throws ReportError.
PreparedReport prepare(const Report &report);

// The font an object is drawn with, at its size in points expressed in the
// fine drawing units of renderPage (see reportlayout.cpp).
QFont paperFont(const TextFont &font);

// The family that a template's font family is drawn with on this machine.
QString resolvedFamily(const QString &family);

// Draws one prepared page. The painter's current coordinate system is taken
// as device pixels; `pixelsPerMm` says how many make a millimetre.
void renderPage(QPainter &painter, const PreparedPage &page, double pixelsPerMm);

} // namespace report
