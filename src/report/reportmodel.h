#pragma once

#include <QColor>
#include <QImage>
#include <QMarginsF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

class QJsonObject;

namespace report {

// Templates are designed in report units of 1/96 inch; the program keeps
// millimetres and converts only where a height is set in units.
inline constexpr double kMmPerUnit = 25.4 / 96.0;
inline double unitsToMm(double units) { return units * kMmPerUnit; }
inline double mmToUnits(double mm) { return mm / kMmPerUnit; }
inline constexpr double kMmPerPoint = 25.4 / 72.0;

// Any failure of loading, filling, preparing or printing a report. The whole
// fill-prepare-output sequence stops at the first one.
class ReportError final : public std::runtime_error
{
public:
    explicit ReportError(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

enum class ObjectKind { Text, Picture, Line, Shape };
enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Centre, Bottom };
enum class LineDirection { Horizontal, Vertical };
enum class Orientation { Portrait, Landscape };
enum class BandKind { ReportTitle, MasterData, Footer };

struct TextFont {
    QString family = QStringLiteral("Arial");
    double points = 10;
    bool bold = false;
    bool italic = false;
    QColor colour = Qt::black;
};

// One object of a template. Which members matter depends on the kind.
struct ReportObject {
    QString name;
    ObjectKind kind = ObjectKind::Text;
    QRectF rect; // millimetres, from the top-left of the page area or band

    // text
    QStringList lines;
    TextFont font;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Centre;
    bool wordWrap = false;
    QColor background;      // invalid: transparent
    double gapX = 0.25;     // inner distance of the text from the left and right edges
    double gapY = 0.25;     // ... and from the top and bottom edges
    double lineSpacing = 0; // added between two lines, millimetres

    // picture
    QImage picture;
    bool centred = false;

    // line
    LineDirection direction = LineDirection::Horizontal;

    // shape; an invalid fill leaves the inside transparent
    QColor fill = Qt::white;
    QColor outline = Qt::black; // invalid: no outline

    QString text() const { return lines.join(QLatin1Char('\n')); }
    // Replaces the design text; line breaks (CR LF, LF or CR) start new lines.
    void setText(const QString &text);
    void clearLines() { lines.clear(); }
    void addLine(const QString &line) { lines.append(line); }
    void setHeightUnits(double units) { rect.setHeight(unitsToMm(units)); }
    // A copy of the picture is kept; a null image empties the object.
    void setPicture(const QImage &image) { picture = image.copy(); }
};

struct ReportBand {
    QString name;
    BandKind kind = BandKind::MasterData;
    double top = 0; // design position, only orders the bands
    double height = 0;
    int rowCount = 1;
    bool allowSplit = false;
    std::vector<ReportObject> objects;

    void setHeightUnits(double units) { height = unitsToMm(units); }
};

struct ReportPage {
    QString name;
    double paperWidth = 210;
    double paperHeight = 297;
    int paperSizeCode = 9; // 9: A4; 256: the size is given by width and height
    Orientation orientation = Orientation::Portrait;
    QMarginsF margins;                 // millimetres
    std::vector<ReportObject> objects; // drawn in this order, under the bands
    std::vector<ReportBand> bands;

    // Turning the page swaps the paper's width and height, as a printer does.
    void setOrientation(Orientation value);
    QRectF area() const;
};

struct PreviewOptions {
    bool print = true;
    bool zoom = true;
    bool fullScreen = true;
    bool close = true;
    bool pdf = true;
    bool allowEdit = false;
};

struct PrintOptions {
    int copies = 1;
    bool showDialog = true;
};

// A named report template loaded from a resource or file (JSON). The program
// never builds a layout in code: it loads a template, fills objects found by
// name and prepares the pages (reportlayout.h).
//
// Template files (resources/templates/*.json), all lengths in millimetres:
//   { "report": name, "preview": {"buttons": [...], "allowEdit": false},
//     "print": {"copies": 1, "showDialog": true},
//     "pages": [ { "name", "paper": {"width", "height", "code"},
//                  "orientation": "portrait"|"landscape",
//                  "margins": {"left", "top", "right", "bottom"},
//                  "objects": [...], "bands": [...] } ] }
// An object: "name", "kind" (text, picture, line, shape), "left", "top",
// "width", "height", and as its kind needs "text" or "lines", "font"
// {"family", "size" (points), "bold", "italic", "colour"}, "hAlign"
// (left, centre, right), "vAlign" (top, centre, bottom), "wordWrap",
// "background", "gapX", "gapY", "lineSpacing", "picture" (a resource),
// "centred", "direction" (horizontal, vertical), "fill", "outline".
// A band: "name", "kind" (reportTitle, masterData, footer), "top", "height",
// "rows", "allowSplit", "objects". A variant of another template says
// { "extends": path, "changes": { objectName: {properties...} } }.
// Unknown properties are refused, so a misspelt one cannot go unnoticed.
class Report final
{
public:
    // `path` is a resource (":/templates/x.json") or a file. A template may
    // extend another one ("extends") and change some of its objects.
    static Report load(const QString &path);
    static Report fromJson(const QByteArray &json, const QString &origin = QString());

    const QString &name() const { return m_name; }
    const PreviewOptions &previewOptions() const { return m_preview; }
    const PrintOptions &printOptions() const { return m_print; }

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    // 0-based; throws when there is no such page.
    ReportPage &page(int index);
    const ReportPage &page(int index) const;
    const std::vector<ReportPage> &pages() const { return m_pages; }

    // Names are compared without regard to letter case. A name that is not
    // found, or names an object of another kind, throws ReportError.
    ReportObject &object(const QString &name);
    ReportObject &textObject(const QString &name);
    ReportObject &pictureObject(const QString &name);
    ReportBand &band(const QString &name);
    bool contains(const QString &name) const;

private:
    static Report fromJsonObject(const QJsonObject &root, const QString &origin, int depth);
    ReportObject *findObject(const QString &name);
    void checkUniqueNames() const;

    QString m_name;
    PreviewOptions m_preview;
    PrintOptions m_print;
    std::vector<ReportPage> m_pages;
};

} // namespace report
