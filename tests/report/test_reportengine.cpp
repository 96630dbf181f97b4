#include "app/startup.h"
#include "report/reportlayout.h"
#include "report/reportmodel.h"
#include "report/reportoutput.h"
#include "report/reportpreview.h"
#include "support/pdfwords.h"
#include "support/testsupport.h"
#include "ui/dialogs/scripteddialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTest>
#include <QToolButton>

using namespace report;

namespace {

// A4 portrait with 10 mm margins: objects land 10 mm further right and down.
const QByteArray kFixture = R"({
  "report": "Fixture",
  "pages": [{
    "name": "Page1",
    "paper": {"width": 210, "height": 297, "code": 9},
    "orientation": "portrait",
    "margins": {"left": 10, "top": 10, "right": 10, "bottom": 10},
    "objects": [
      {"name": "shpBox", "kind": "shape", "left": 0, "top": 0, "width": 50, "height": 20, "fill": "#F0F8FF"},
      {"name": "txtValue", "kind": "text", "left": 1, "top": 1, "width": 40, "height": 5, "font": {"family": "Arial", "size": 9}},
      {"name": "txtCentred", "kind": "text", "left": 0, "top": 30, "width": 60, "height": 6, "font": {"family": "Arial", "size": 12, "bold": true}, "hAlign": "centre", "text": "Centred"},
      {"name": "txtTop", "kind": "text", "left": 0, "top": 40, "width": 60, "height": 10, "font": {"family": "Arial", "size": 9}, "vAlign": "top", "text": "Top"},
      {"name": "txtWrapped", "kind": "text", "left": 0, "top": 100, "width": 30, "height": 30, "font": {"family": "Arial", "size": 9}, "vAlign": "top", "wordWrap": true},
      {"name": "imgPicture", "kind": "picture", "left": 100, "top": 0, "width": 40, "height": 20},
      {"name": "imgCentred", "kind": "picture", "left": 100, "top": 30, "width": 40, "height": 20, "centred": true},
      {"name": "lineH", "kind": "line", "left": 0, "top": 60, "width": 100, "height": 0},
      {"name": "lineV", "kind": "line", "left": 5, "top": 60, "width": 0, "height": 30}
    ]
  }]
})";

QImage solidImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0x42, 0x7A, 0xA8));
    return image;
}

const PreparedItem &item(const PreparedPage &page, const QString &name)
{
    const PreparedItem *found = page.find(name);
    if (!found)
        qFatal("no prepared item %s", qPrintable(name));
    return *found;
}

bool near(double a, double b, double tolerance = 0.01) { return std::abs(a - b) <= tolerance; }

QStringList listLines(int count)
{
    QStringList lines;
    for (int k = 1; k <= count; ++k)
        lines.append(QStringLiteral("%1 | Client number %2 | Rimini").arg(k, 4).arg(k));
    return lines;
}

// Fills the list report the way the search windows do.
Report listReport(const QStringList &lines)
{
    Report report = Report::load(QStringLiteral(":/templates/search_results.json"));
    report.textObject(QStringLiteral("txtTitolo")).setText(QStringLiteral("Clients in database"));
    report.textObject(QStringLiteral("txtPagina")).setText(QStringLiteral("Printed on 01/02/2026 at 10:11:12 hrs"));
    ReportObject &list = report.textObject(QStringLiteral("txtRiepilogo"));
    list.clearLines();
    for (const QString &line : lines)
        list.addLine(line);
    list.setHeightUnits(lines.size() * 12.822);
    report.band(QStringLiteral("MasterData")).setHeightUnits(lines.size() * 12.822 + 10);
    return report;
}

// Writes a PDF copy of a prepared report when the developer asks for one.
void keepCopy(const PreparedReport &report, const QString &name)
{
    const QString folder = qEnvironmentVariable("CARVELLO_TEST_OUTPUT");
    if (!folder.isEmpty())
        exportPdf(report, folder + QLatin1Char('/') + name + QStringLiteral(".pdf"));
}

} // namespace

class TestReportEngine final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void loadsTheTemplateInMillimetres();
    void brokenTemplatesAreRefused_data();
    void brokenTemplatesAreRefused();
    void findsObjectsWithoutRegardToCase_data();
    void findsObjectsWithoutRegardToCase();
    void textIsPrintedLiterallyAndCutAtTheRightEdge_data();
    void textIsPrintedLiterallyAndCutAtTheRightEdge();
    void textAlignment();
    void wordWrapBreaksAtBlanks();
    void picturesKeepTheirProportions_data();
    void picturesKeepTheirProportions();
    void linesAndShapesInDrawingOrder();
    void templateFontsUseMetricCompatibleFaces_data();
    void templateFontsUseMetricCompatibleFaces();
    void turningThePageSwapsThePaper();
    void extendedTemplateChangesOnlyItsObjects();
    void builtInTemplates_data();
    void builtInTemplates();
    void listSplitsByWholeLinesAcrossPages_data();
    void listSplitsByWholeLinesAcrossPages();
    void longListLineIsCutNotWrapped();
    void pdfMatchesThePreparedPage();
    void printCancelledPrintsNothing();
    void printGoesToThePrinterChosen();
    void previewOffersExactlyItsButtons();
    void previewPrintsAndSavesTheSamePages();

private:
    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
};

void TestReportEngine::initTestCase() { app::prepareApplication(*qApp); }

void TestReportEngine::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
}

void TestReportEngine::cleanup()
{
    delete m_dialogs;
    delete m_data;
}

void TestReportEngine::loadsTheTemplateInMillimetres()
{
    Report report = Report::fromJson(kFixture);
    QCOMPARE(report.name(), QStringLiteral("Fixture"));
    QCOMPARE(report.pageCount(), 1);
    const ReportPage &page = report.page(0);
    QCOMPARE(page.area(), QRectF(10, 10, 190, 277));
    QCOMPARE(page.paperSizeCode, 9);
    const ReportObject &value = report.object(QStringLiteral("txtValue"));
    QCOMPARE(value.kind, ObjectKind::Text);
    QCOMPARE(value.rect, QRectF(1, 1, 40, 5));
    QCOMPARE(value.font.points, 9.0);
    QCOMPARE(report.object(QStringLiteral("shpBox")).fill, QColor(0xF0, 0xF8, 0xFF));
    QCOMPARE(report.object(QStringLiteral("lineV")).direction, LineDirection::Vertical);
    // 37.7953 units make 10 mm.
    QVERIFY(near(unitsToMm(37.7953), 10.0, 1e-4));
    ReportObject &box = report.object(QStringLiteral("shpBox"));
    box.setHeightUnits(96);
    QVERIFY(near(box.rect.height(), 25.4, 1e-9));
    QVERIFY(!report.previewOptions().allowEdit);
    QCOMPARE(report.printOptions().copies, 1);
}

void TestReportEngine::brokenTemplatesAreRefused_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("not json") << QByteArray("{ \"report\": ");
    QTest::newRow("no page") << QByteArray(R"({"report": "X", "pages": []})");
    QTest::newRow("duplicate name ignoring case")
        << QByteArray(R"({"pages": [{"paper": {"width": 10, "height": 10}, "objects": [
           {"name": "txtA", "kind": "text"}, {"name": "TXTa", "kind": "shape"}]}]})");
    QTest::newRow("unknown kind") << QByteArray(
        R"({"pages": [{"paper": {"width": 10, "height": 10}, "objects": [{"name": "a", "kind": "barcode"}]}]})");
    QTest::newRow("misspelt property") << QByteArray(
        R"({"pages": [{"paper": {"width": 10, "height": 10}, "objects": [{"name": "a", "kind": "text", "widht": 3}]}]})");
    QTest::newRow("bad colour") << QByteArray(
        R"({"pages": [{"paper": {"width": 10, "height": 10}, "objects": [{"name": "a", "kind": "shape", "fill": "#12"}]}]})");
    QTest::newRow("missing picture") << QByteArray(
        R"({"pages": [{"paper": {"width": 10, "height": 10}, "objects": [{"name": "a", "kind": "picture", "picture": ":/nothing.png"}]}]})");
    QTest::newRow("extends itself") << QByteArray(R"({"extends": ":/templates/nothing.json"})");
}

void TestReportEngine::brokenTemplatesAreRefused()
{
    QFETCH(QByteArray, json);
    QVERIFY_THROWS_EXCEPTION(ReportError, Report::fromJson(json, QStringLiteral("test")));
}

void TestReportEngine::findsObjectsWithoutRegardToCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("use"); // 0 any, 1 text, 2 picture
    QTest::addColumn<bool>("found");
    QTest::newRow("exact") << QStringLiteral("txtValue") << 1 << true;
    QTest::newRow("other case") << QStringLiteral("TXTVALUE") << 1 << true;
    QTest::newRow("picture by name") << QStringLiteral("imgpicture") << 2 << true;
    QTest::newRow("missing") << QStringLiteral("txtNothing") << 0 << false;
    QTest::newRow("text used as picture") << QStringLiteral("txtValue") << 2 << false;
    QTest::newRow("shape used as text") << QStringLiteral("shpBox") << 1 << false;
}

void TestReportEngine::findsObjectsWithoutRegardToCase()
{
    QFETCH(QString, name);
    QFETCH(int, use);
    QFETCH(bool, found);
    Report report = Report::fromJson(kFixture);
    auto lookUp = [&]() -> ReportObject & {
        if (use == 1)
            return report.textObject(name);
        if (use == 2)
            return report.pictureObject(name);
        return report.object(name);
    };
    if (found) {
        QCOMPARE(lookUp().name.toLower(), name.toLower());
    } else {
        try {
            lookUp();
            QFAIL("no failure");
        } catch (const ReportError &e) {
            QVERIFY2(e.message().contains(name, Qt::CaseInsensitive), qPrintable(e.message()));
        }
    }
}

void TestReportEngine::textIsPrintedLiterallyAndCutAtTheRightEdge_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("cut");
    QTest::newRow("short") << QStringLiteral("Rossi Mario") << false;
    QTest::newRow("brackets stay") << QStringLiteral("[txtName] [DATE] & %1") << false;
    QTest::newRow("long address") << QStringLiteral("Via dei Mille 1234, scala B, interno 56, 47921 Rimini RN, Italia")
                                  << true;
    QTest::newRow("no blanks") << QString(120, QLatin1Char('W')) << true;
}

void TestReportEngine::textIsPrintedLiterallyAndCutAtTheRightEdge()
{
    QFETCH(QString, text);
    QFETCH(bool, cut);
    Report report = Report::fromJson(kFixture);
    report.textObject(QStringLiteral("txtValue")).setText(text);
    const PreparedReport prepared = prepare(report);
    QCOMPARE(prepared.pages.size(), 1);
    const PreparedItem &value = item(prepared.pages[0], QStringLiteral("txtValue"));
    QCOMPARE(value.rect, QRectF(11, 11, 40, 5));
    QCOMPARE(value.lines.size(), 1); // never wrapped
    const PreparedLine &line = value.lines[0];
    QVERIFY(text.startsWith(line.text));
    QCOMPARE(line.text.size() < text.size(), cut);
    QVERIFY(line.box.left() >= value.rect.left());
    QVERIFY2(line.box.right() <= value.rect.right(), qPrintable(QString::number(line.box.right())));
    if (cut) // filled up to the edge: one more character would not fit
        QVERIFY(line.box.right() > value.rect.right() - 2.5);
    // Left-aligned, vertically centred.
    QVERIFY(near(line.box.left(), 11.25));
    QVERIFY(near(line.box.center().y(), value.rect.center().y()));
}

void TestReportEngine::textAlignment()
{
    const PreparedReport prepared = prepare(Report::fromJson(kFixture));
    const PreparedPage &page = prepared.pages[0];
    const PreparedItem &centred = item(page, QStringLiteral("txtCentred"));
    QCOMPARE(centred.text(), QStringLiteral("Centred"));
    QVERIFY(near(centred.lines[0].box.center().x(), 40.0));
    QVERIFY(near(centred.lines[0].box.center().y(), 43.0));
    const PreparedItem &top = item(page, QStringLiteral("txtTop"));
    QVERIFY(near(top.lines[0].box.top(), 50.25));
    // A line is as high as the face's ascent and descent: 2288/2048 em for Arial.
    QVERIFY(near(top.lines[0].box.height(), 9 * kMmPerPoint * 2288 / 2048, 0.005));
}

void TestReportEngine::wordWrapBreaksAtBlanks()
{
    Report report = Report::fromJson(kFixture);
    report.textObject(QStringLiteral("txtWrapped"))
        .setText(QStringLiteral("The driver will fill the fuel tank up to the level indicated."));
    const PreparedReport prepared = prepare(report);
    const PreparedItem &wrapped = item(prepared.pages[0], QStringLiteral("txtWrapped"));
    QVERIFY(wrapped.lines.size() >= 3);
    QCOMPARE(wrapped.lines[0].text, QStringLiteral("The driver will fill the"));
    QStringList words;
    for (const PreparedLine &line : wrapped.lines) {
        QVERIFY(line.box.right() <= wrapped.rect.right());
        QVERIFY(!line.text.startsWith(QLatin1Char(' ')));
        words += line.text.split(QLatin1Char(' '));
    }
    QCOMPARE(words.join(QLatin1Char(' ')),
             QStringLiteral("The driver will fill the fuel tank up to the level indicated."));
}

void TestReportEngine::picturesKeepTheirProportions_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRectF>("expected");
    // Frames 40 x 20 mm at (110, 10) and, centred, at (110, 40).
    QTest::newRow("wide, top-left") << QStringLiteral("imgPicture") << QSize(400, 100) << QRectF(110, 10, 40, 10);
    QTest::newRow("tall, top-left") << QStringLiteral("imgPicture") << QSize(100, 200) << QRectF(110, 10, 10, 20);
    QTest::newRow("wide, centred") << QStringLiteral("imgCentred") << QSize(400, 100) << QRectF(110, 45, 40, 10);
    QTest::newRow("tall, centred") << QStringLiteral("imgCentred") << QSize(100, 200) << QRectF(125, 40, 10, 20);
    QTest::newRow("tiny square grows") << QStringLiteral("imgPicture") << QSize(2, 2) << QRectF(110, 10, 20, 20);
}

void TestReportEngine::picturesKeepTheirProportions()
{
    QFETCH(QString, object);
    QFETCH(QSize, size);
    QFETCH(QRectF, expected);
    Report report = Report::fromJson(kFixture);
    QImage source = solidImage(size.width(), size.height());
    report.pictureObject(object).setPicture(source);
    source.fill(Qt::red); // the object keeps its own copy
    const PreparedReport prepared = prepare(report);
    const PreparedItem &picture = item(prepared.pages[0], object);
    QVERIFY2(near(picture.rect.left(), expected.left()) && near(picture.rect.top(), expected.top())
                 && near(picture.rect.width(), expected.width()) && near(picture.rect.height(), expected.height()),
             qPrintable(QStringLiteral("%1 %2 %3 %4")
                            .arg(picture.rect.left())
                            .arg(picture.rect.top())
                            .arg(picture.rect.width())
                            .arg(picture.rect.height())));
    QCOMPARE(picture.picture.pixelColor(0, 0), QColor(0x42, 0x7A, 0xA8));

    // An empty picture draws nothing: the page stays white where it would be.
    const PreparedPage &page = prepared.pages[0];
    const QImage drawn = renderImage(page, 96);
    const QPoint inside((expected.center() * 96 / 25.4).toPoint());
    QCOMPARE(drawn.pixelColor(inside), QColor(0x42, 0x7A, 0xA8));
    Report empty = Report::fromJson(kFixture);
    const QImage blank = renderImage(prepare(empty).pages[0], 96);
    QCOMPARE(blank.pixelColor(inside), QColor(Qt::white));
}

void TestReportEngine::linesAndShapesInDrawingOrder()
{
    const PreparedReport prepared = prepare(Report::fromJson(kFixture));
    const PreparedPage &page = prepared.pages[0];
    QStringList order;
    for (const PreparedItem &i : page.items)
        order.append(i.name);
    QCOMPARE(order, (QStringList{QStringLiteral("shpBox"), QStringLiteral("txtValue"), QStringLiteral("txtCentred"),
                                 QStringLiteral("txtTop"), QStringLiteral("txtWrapped"), QStringLiteral("imgPicture"),
                                 QStringLiteral("imgCentred"), QStringLiteral("lineH"), QStringLiteral("lineV")}));
    QCOMPARE(item(page, QStringLiteral("lineH")).rect, QRectF(10, 70, 100, 0));
    QCOMPARE(item(page, QStringLiteral("lineV")).rect, QRectF(15, 70, 0, 30));
    QCOMPARE(item(page, QStringLiteral("shpBox")).rect, QRectF(10, 10, 50, 20));

    // Shapes are filled and outlined in black; lines are black.
    const QImage drawn = renderImage(page, 200);
    auto at = [&drawn](double x, double y) {
        return drawn.pixelColor(QPointF(x * 200 / 25.4, y * 200 / 25.4).toPoint());
    };
    // The darkest pixel within a few pixels of a point on a line.
    auto darkest = [&drawn](double x, double y) {
        const QPoint c = QPointF(x * 200 / 25.4, y * 200 / 25.4).toPoint();
        int least = 255;
        for (int dx = -2; dx <= 2; ++dx) {
            for (int dy = -2; dy <= 2; ++dy)
                least = std::min(least, drawn.pixelColor(c + QPoint(dx, dy)).lightness());
        }
        return least;
    };
    QCOMPARE(at(45, 25), QColor(0xF0, 0xF8, 0xFF));
    QVERIFY(darkest(10, 25) < 60);
    QVERIFY(darkest(50, 70) < 60);
    QVERIFY(darkest(15, 85) < 60);
    QCOMPARE(darkest(50, 75), 255);
}

void TestReportEngine::templateFontsUseMetricCompatibleFaces_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("resolved");
    QTest::addColumn<QString>("sample");
    QTest::addColumn<double>("emWidth"); // advance of the sample in em of the original face
    // Advances of the original faces: Arial M 1706, a 1139, i 455 (of 2048);
    // every Courier New glyph 1229.
    QTest::newRow("Arial") << QStringLiteral("Arial") << QStringLiteral("Liberation Sans") << QStringLiteral("Mai")
                           << (1706 + 1139 + 455) / 2048.0;
    QTest::newRow("Courier New") << QStringLiteral("Courier New") << QStringLiteral("Liberation Mono")
                                 << QStringLiteral("Mai") << 3 * 1229 / 2048.0;
    QTest::newRow("Verdana") << QStringLiteral("Verdana") << QStringLiteral("DejaVu Sans") << QString() << 0.0;
}

void TestReportEngine::templateFontsUseMetricCompatibleFaces()
{
    QFETCH(QString, family);
    QFETCH(QString, resolved);
    QFETCH(QString, sample);
    QFETCH(double, emWidth);
    QCOMPARE(resolvedFamily(family), resolved);
    if (sample.isEmpty())
        return;
    Report report = Report::fromJson(kFixture);
    ReportObject &value = report.textObject(QStringLiteral("txtValue"));
    value.font.family = family;
    value.setText(sample);
    const PreparedReport prepared = prepare(report);
    const double width = item(prepared.pages[0], QStringLiteral("txtValue")).lines[0].box.width();
    QVERIFY2(near(width, emWidth * 9 * kMmPerPoint, 0.01), qPrintable(QString::number(width)));
}

void TestReportEngine::turningThePageSwapsThePaper()
{
    Report report = Report::fromJson(kFixture);
    report.page(0).setOrientation(Orientation::Portrait);
    QCOMPARE(prepare(report).pages[0].paper, QSizeF(210, 297));
    report.page(0).setOrientation(Orientation::Landscape);
    const PreparedPage page = prepare(report).pages[0];
    QCOMPARE(page.paper, QSizeF(297, 210));
    QCOMPARE(page.orientation, Orientation::Landscape);
    const QPageLayout layout = pageLayout(page);
    QCOMPARE(layout.orientation(), QPageLayout::Landscape);
    QCOMPARE(layout.pageSize().id(), QPageSize::A4);
    QVERIFY_THROWS_EXCEPTION(ReportError, report.page(1));
}

void TestReportEngine::extendedTemplateChangesOnlyItsObjects()
{
    const Report print = Report::load(QStringLiteral(":/templates/rental_agreement.json"));
    const Report preview = Report::load(QStringLiteral(":/templates/rental_agreement_preview.json"));
    QCOMPARE(preview.name(), print.name());
    const auto &a = print.page(0).objects;
    const auto &b = preview.page(0).objects;
    QCOMPARE(b.size(), a.size());
    QStringList changed;
    for (std::size_t k = 0; k < a.size(); ++k) {
        QCOMPARE(b[k].name, a[k].name);
        QCOMPARE(b[k].text(), a[k].text());
        QCOMPARE(b[k].font.points, a[k].font.points);
        if (b[k].rect != a[k].rect)
            changed.append(a[k].name);
    }
    QCOMPARE(changed,
             (QStringList{QStringLiteral("shpNumFatt"), QStringLiteral("txtNumber"), QStringLiteral("txtDate"),
                          QStringLiteral("txtCompany01"), QStringLiteral("txtCompany02"),
                          QStringLiteral("txtCompany03"), QStringLiteral("txtCompany04"), QStringLiteral("lineFirma"),
                          QStringLiteral("Memo12"), QStringLiteral("Line4"), QStringLiteral("Memo14")}));
}

void TestReportEngine::builtInTemplates_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QRectF>("onSheet"); // after the margins
    QTest::addColumn<int>("kind");
    QTest::newRow("agreement") << QStringLiteral(":/templates/rental_agreement.json")
                               << QStringLiteral("Rental Agreement") << QSizeF(210, 297) << QStringLiteral("imgVehicle")
                               << QRectF(113.0, 146.8, 72.4, 39.2) << int(ObjectKind::Picture);
    QTest::newRow("client card") << QStringLiteral(":/templates/client_card.json") << QStringLiteral("Client Data")
                                 << QSizeF(210, 297) << QStringLiteral("txtNotes") << QRectF(54.0, 142.5, 144.0, 3.5)
                                 << int(ObjectKind::Text);
    QTest::newRow("vehicle card") << QStringLiteral(":/templates/vehicle_card.json")
                                  << QStringLiteral("Vehicle Details") << QSizeF(210, 297) << QStringLiteral("txtVin")
                                  << QRectF(12.0, 161.4, 46.0, 4.0) << int(ObjectKind::Text);
    QTest::newRow("vehicle card, tires") << QStringLiteral(":/templates/vehicle_card.json")
                                         << QStringLiteral("Vehicle Details") << QSizeF(210, 297)
                                         << QStringLiteral("Memo8") << QRectF(12.0, 170.6, 89.8, 3.6)
                                         << int(ObjectKind::Text);
    QTest::newRow("list") << QStringLiteral(":/templates/search_results.json") << QStringLiteral("Search Results")
                          << QSizeF(297, 210) << QStringLiteral("txtTitolo") << QRectF(12.0, 11.0, 273.0, 5.0)
                          << int(ObjectKind::Text);
}

void TestReportEngine::builtInTemplates()
{
    QFETCH(QString, path);
    QFETCH(QString, report);
    QFETCH(QSizeF, paper);
    QFETCH(QString, object);
    QFETCH(QRectF, onSheet);
    QFETCH(int, kind);
    const Report loaded = Report::load(path);
    QCOMPARE(loaded.name(), report);
    const PreparedReport prepared = prepare(loaded);
    keepCopy(prepared, QFileInfo(path).baseName());
    QCOMPARE(prepared.pages.size(), 1);
    QCOMPARE(prepared.pages[0].paper, paper);
    const PreparedItem &found = item(prepared.pages[0], object);
    QCOMPARE(int(found.kind), kind);
    const QRectF frame = found.frame;
    QVERIFY2(
        near(frame.left(), onSheet.left(), 1e-9) && near(frame.top(), onSheet.top(), 1e-9)
            && near(frame.width(), onSheet.width(), 1e-9) && near(frame.height(), onSheet.height(), 1e-9),
        qPrintable(
            QStringLiteral("%1 %2 %3 %4").arg(frame.left()).arg(frame.top()).arg(frame.width()).arg(frame.height())));
}

void TestReportEngine::listSplitsByWholeLinesAcrossPages_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("pages");
    QTest::newRow("empty list") << 0 << 1;
    QTest::newRow("one line") << 1 << 1;
    QTest::newRow("150 lines") << 150 << 3;
}

void TestReportEngine::listSplitsByWholeLinesAcrossPages()
{
    QFETCH(int, count);
    QFETCH(int, pages);
    const QStringList lines = listLines(count);
    const PreparedReport prepared = prepare(listReport(lines));
    keepCopy(prepared, QStringLiteral("list_%1").arg(count));
    QCOMPARE(prepared.pages.size(), pages);
    const double pitch = unitsToMm(12.822);
    QStringList printed;
    for (int p = 0; p < prepared.pages.size(); ++p) {
        const PreparedPage &page = prepared.pages[p];
        QCOMPARE(page.paper, QSizeF(297, 210));
        QCOMPARE(page.find(QStringLiteral("txtTitolo")) != nullptr, p == 0);
        QCOMPARE(page.find(QStringLiteral("txtPagina")) != nullptr, p == pages - 1);
        double previous = -1;
        for (const PreparedItem &i : page.items) {
            if (i.name != QLatin1String("txtRiepilogo"))
                continue;
            for (const PreparedLine &line : i.lines) {
                printed.append(line.text);
                QVERIFY(line.box.bottom() <= 200.0 + 1e-6); // inside the bottom margin
                if (previous >= 0)
                    QVERIFY(near(line.box.top() - previous, pitch, 1e-3));
                previous = line.box.top();
            }
        }
    }
    QCOMPARE(printed, lines); // every line once, whole, in order

    const PreparedItem &title = item(prepared.pages.first(), QStringLiteral("txtTitolo"));
    QCOMPARE(title.rect, QRectF(12, 11, 273, 5));
    QCOMPARE(title.background, QColor(0x70, 0x80, 0x90));
    QCOMPARE(title.text(), QStringLiteral("Clients in database"));
    // The footer band follows the list: 8 mm of title band, the list, 10 units.
    const PreparedItem &footer = item(prepared.pages.last(), QStringLiteral("txtPagina"));
    QCOMPARE(footer.text(), QStringLiteral("Printed on 01/02/2026 at 10:11:12 hrs"));
    if (pages == 1) {
        QVERIFY(near(footer.rect.top(), 10 + 8 + unitsToMm(count * 12.822 + 10) + 2, 1e-6));
    } else {
        const PreparedItem *list = prepared.pages.last().find(QStringLiteral("txtRiepilogo"));
        QVERIFY(list);
        QVERIFY(footer.rect.top() > list->lines.last().box.bottom());
        QVERIFY(footer.rect.top() - list->lines.last().box.bottom() < 5.0);
    }
}

void TestReportEngine::longListLineIsCutNotWrapped()
{
    // About 160 characters of Courier New at 8 pt fit into 273 mm.
    const QStringList lines = {QString(200, QLatin1Char('x')), QStringLiteral("short")};
    const PreparedReport prepared = prepare(listReport(lines));
    const PreparedItem &list = item(prepared.pages[0], QStringLiteral("txtRiepilogo"));
    QCOMPARE(list.lines.size(), 2);
    QCOMPARE(list.lines[0].text, QString(160, QLatin1Char('x')));
    QCOMPARE(list.lines[1].text, QStringLiteral("short"));
}

void TestReportEngine::pdfMatchesThePreparedPage()
{
    Report report = Report::fromJson(kFixture);
    report.textObject(QStringLiteral("txtValue")).setText(QStringLiteral("Via [Roma] 12"));
    const PreparedReport prepared = prepare(report);
    const QString file = m_data->root() + QStringLiteral("/fixture.pdf");
    exportPdf(prepared, file);
    const testing::PdfText pdf = testing::readPdfText(file);
    QCOMPARE(pdf.pages.size(), 1);
    QVERIFY(near(pdf.pages[0].width(), 210, 0.2) && near(pdf.pages[0].height(), 297, 0.2));
    for (const QString &name : {QStringLiteral("txtValue"), QStringLiteral("txtCentred"), QStringLiteral("txtTop")}) {
        const PreparedItem &text = item(prepared.pages[0], name);
        const PreparedLine &line = text.lines[0];
        const QString first = line.text.section(QLatin1Char(' '), 0, 0);
        const testing::PdfWord word = pdf.find(0, first, line.box.topLeft());
        QVERIFY2(!word.box.isNull(), qPrintable(first));
        QVERIFY2(near(word.box.left(), line.box.left(), 0.2), qPrintable(QString::number(word.box.left())));
        QVERIFY2(near(word.box.center().y(), line.box.center().y(), 0.5), qPrintable(QString::number(word.box.top())));
    }
    QCOMPARE(pdf.textIn(0, item(prepared.pages[0], QStringLiteral("txtValue")).rect), QStringLiteral("Via [Roma] 12"));
}

void TestReportEngine::printCancelledPrintsNothing()
{
    m_dialogs->printFile = m_data->root() + QStringLiteral("/printed.pdf");
    m_dialogs->printerChoices.enqueue(false);
    QVERIFY(!printReport(nullptr, prepare(Report::fromJson(kFixture))));
    QCOMPARE(m_dialogs->printDialogs, 1);
    QVERIFY(!QFile::exists(m_dialogs->printFile));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestReportEngine::printGoesToThePrinterChosen()
{
    m_dialogs->printFile = m_data->root() + QStringLiteral("/printed.pdf");
    m_dialogs->printerChoices.enqueue(true);
    QVERIFY(printReport(nullptr, prepare(listReport(listLines(150)))));
    const ui::ScriptedDialogs::PrinterOffer offer = m_dialogs->printerOffers.value(0);
    QCOMPARE(offer.copies, 1);
    QVERIFY(offer.allPages);
    QCOMPARE(offer.documentName, QStringLiteral("Search Results"));
    const testing::PdfText pdf = testing::readPdfText(m_dialogs->printFile);
    QCOMPARE(pdf.pages.size(), 3);
    QVERIFY(near(pdf.pages[0].width(), 297, 0.2)); // landscape sheets
    QVERIFY(!pdf.find(0, QStringLiteral("Clients")).box.isNull());
    QVERIFY(pdf.find(1, QStringLiteral("Clients")).box.isNull());
    QVERIFY(!pdf.find(2, QStringLiteral("Printed")).box.isNull());
}

void TestReportEngine::previewOffersExactlyItsButtons()
{
    const PreparedReport prepared = prepare(Report::load(QStringLiteral(":/templates/rental_agreement.json")));
    QStringList failures;
    m_dialogs->modalHandlers.enqueue([&failures](QDialog *dialog) {
        auto *preview = qobject_cast<TfrmReportPreview *>(dialog);
        if (!preview)
            return 0;
        QStringList buttons;
        for (const QToolButton *b : preview->findChildren<QToolButton *>())
            buttons.append(b->objectName() + QLatin1Char('=') + b->text());
        buttons.sort();
        auto expect = [&failures](bool ok, const char *what) {
            if (!ok)
                failures.append(QString::fromLatin1(what));
        };
        expect(buttons
                   == QStringList{QStringLiteral("btnClose=Close"), QStringLiteral("btnFullScreen=Full screen"),
                                  QStringLiteral("btnPdf=Save as PDF"), QStringLiteral("btnPrint=Print"),
                                  QStringLiteral("btnZoom=Zoom")},
               "buttons");
        expect(preview->windowTitle() == QLatin1String("Rental Agreement"), "title");
        expect(preview->windowState().testFlag(Qt::WindowMaximized), "maximised");
        // The page is drawn on screen: white paper with dark print on it.
        const QImage shot = preview->findChild<QWidget *>(QStringLiteral("pnlPages"))->grab().toImage();
        int white = 0;
        int dark = 0;
        for (int y = 0; y < shot.height(); y += 3) {
            for (int x = 0; x < shot.width(); x += 3) {
                const int lightness = shot.pixelColor(x, y).lightness();
                white += lightness == 255 ? 1 : 0;
                dark += lightness < 100 ? 1 : 0;
            }
        }
        expect(white > 1000 && dark > 100, "page drawn");
        // Zoom changes the scale of the pages; full screen toggles.
        preview->setZoom(TfrmReportPreview::ZoomMode::Factor, 2.0);
        const double twice = preview->pixelsPerMm();
        preview->setZoom(TfrmReportPreview::ZoomMode::Factor, 1.0);
        expect(std::abs(twice - 2 * preview->pixelsPerMm()) < 1e-9, "zoom");
        auto *zoom = preview->findChild<QToolButton *>(QStringLiteral("btnZoom"));
        expect(zoom->menu() && zoom->menu()->actions().size() >= 5, "zoom menu");
        preview->findChild<QToolButton *>(QStringLiteral("btnFullScreen"))->click();
        expect(preview->windowState().testFlag(Qt::WindowFullScreen), "full screen");
        preview->findChild<QToolButton *>(QStringLiteral("btnFullScreen"))->click();
        expect(!preview->windowState().testFlag(Qt::WindowFullScreen), "back from full screen");
        preview->findChild<QToolButton *>(QStringLiteral("btnClose"))->click();
        return preview->result();
    });
    showPreview(nullptr, prepared);
    QCOMPARE(m_dialogs->modalShown, QStringList{QStringLiteral("TfrmReportPreview")});
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char(','))));
}

void TestReportEngine::previewPrintsAndSavesTheSamePages()
{
    Report report = Report::fromJson(kFixture);
    report.textObject(QStringLiteral("txtValue")).setText(QStringLiteral("Bianchi"));
    const PreparedReport prepared = prepare(report);
    const QString saved = m_data->root() + QStringLiteral("/copy");
    m_dialogs->fileNames.enqueue(saved);
    m_dialogs->printFile = m_data->root() + QStringLiteral("/printed.pdf");
    m_dialogs->printerChoices.enqueue(true);
    m_dialogs->modalHandlers.enqueue([](QDialog *dialog) {
        dialog->findChild<QToolButton *>(QStringLiteral("btnPdf"))->click();
        dialog->findChild<QToolButton *>(QStringLiteral("btnPrint"))->click();
        return 0;
    });
    showPreview(nullptr, prepared);
    QCOMPARE(m_dialogs->fileRequests.size(), 1);
    QVERIFY(m_dialogs->fileRequests[0].filter.contains(QLatin1String("*.pdf")));
    QCOMPARE(m_dialogs->printDialogs, 1);
    QVERIFY(m_dialogs->messages.isEmpty());
    const QRectF box = item(prepared.pages[0], QStringLiteral("txtValue")).rect;
    QCOMPARE(testing::readPdfText(saved + QStringLiteral(".pdf")).textIn(0, box), QStringLiteral("Bianchi"));
    QCOMPARE(testing::readPdfText(m_dialogs->printFile).textIn(0, box), QStringLiteral("Bianchi"));
}

QTEST_MAIN(TestReportEngine)
#include "test_reportengine.moc"
