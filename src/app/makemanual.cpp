// Writes the PDF manual "Guida.pdf" that the installation puts beside the
// program, from the same help topics the help window shows: a cover with
// the contents, one section per topic starting on a page of its own, page
// numbers at the foot. Runs at build time on the offscreen platform:
//   carvello_makemanual <output.pdf>

#include "app/helptopics.h"
#include "report/reportlayout.h"
#include "report/reportmodel.h"
#include "report/reportoutput.h"
#include "ui/qtext.h"

#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <vector>

namespace {

// The export topic appears once: the vehicle export window shows the same
// text under a title without the full stop.
constexpr help::Topic kSections[] = {help::Topic::Overview, help::Topic::Fleet, help::Topic::Clients,
                                     help::Topic::Agreements, help::Topic::Export};

// Room left under a paragraph before the next one.
constexpr double kParagraphGapMm = 4.0;

const QString kTitle = QStringLiteral("Guida all'utilizzo del software");

report::ReportObject &objectOf(report::ReportBand &band, const QString &name)
{
    for (report::ReportObject &o : band.objects) {
        if (o.name.compare(name, Qt::CaseInsensitive) == 0)
            return o;
    }
    throw report::ReportError(QStringLiteral("The band \"%1\" has no object \"%2\"").arg(band.name, name));
}

// How tall a wrapped text is, measured by laying it out alone in a box
// taller than any paragraph, so that the engine's own line breaking decides.
double textHeight(const report::Report &design, const report::ReportObject &prototype, const QString &text)
{
    report::Report probe = design;
    report::ReportPage &page = probe.page(0);
    page.bands.clear();
    report::ReportObject object = prototype;
    object.setText(text);
    object.rect.setHeight(page.area().height() * 20);
    page.objects = {object};
    const report::PreparedReport laid = report::prepare(probe);
    const report::PreparedItem *item = laid.pages.first().find(object.name);
    if (!item || item->lines.isEmpty())
        return 0;
    return item->lines.last().box.bottom() - item->rect.top() + object.gapY;
}

// A section: its heading band, then one band per paragraph; the paragraph
// bands may split, so a long text flows over the page break.
report::PreparedReport section(int number, help::Topic topic)
{
    report::Report design = report::Report::load(QStringLiteral(":/manual/section.json"));
    report::ReportBand heading = design.band(QStringLiteral("Intestazione"));
    const report::ReportBand paragraph = design.band(QStringLiteral("Paragrafo"));
    objectOf(heading, QStringLiteral("txtNumero")).setText(QStringLiteral("Capitolo %1").arg(number));
    objectOf(heading, QStringLiteral("txtArgomento")).setText(help::topicTitle(topic));

    std::vector<report::ReportBand> bands{heading};
    for (const help::Paragraph &p : help::topicParagraphs(topic)) {
        // The overview's own words only: the other topics have sections
        // of their own.
        if (p.owner != topic)
            continue;
        report::ReportBand band = paragraph;
        report::ReportObject &text = objectOf(band, QStringLiteral("txtParagrafo"));
        const double height = textHeight(design, text, p.text);
        text.setText(p.text);
        text.rect.setHeight(height);
        band.height = text.rect.bottom() + kParagraphGapMm;
        bands.push_back(band);
    }
    design.page(0).bands = std::move(bands);
    return report::prepare(design);
}

report::PreparedReport cover(const QStringList &contents, const QStringList &pages)
{
    report::Report design = report::Report::load(QStringLiteral(":/manual/cover.json"));
    design.textObject(QStringLiteral("txtTitolo")).setText(kTitle);
    design.textObject(QStringLiteral("txtVersione"))
        .setText(QStringLiteral("Versione ") + QStringLiteral(CARVELLO_VERSION));
    report::ReportObject &titles = design.textObject(QStringLiteral("txtIndice"));
    report::ReportObject &numbers = design.textObject(QStringLiteral("txtIndicePagine"));
    titles.clearLines();
    numbers.clearLines();
    for (const QString &line : contents)
        titles.addLine(line);
    for (const QString &line : pages)
        numbers.addLine(line);
    return report::prepare(design);
}

// The cover carries no number; every other page says where it is.
void addFooters(report::PreparedReport &manual)
{
    const auto total = manual.pages.size();
    for (qsizetype i = 1; i < total; ++i) {
        report::Report design = report::Report::load(QStringLiteral(":/manual/footer.json"));
        design.textObject(QStringLiteral("txtPagina")).setText(QStringLiteral("Pagina %1 di %2").arg(i + 1).arg(total));
        const report::PreparedReport footer = report::prepare(design);
        manual.pages[i].items += footer.pages.first().items;
    }
}

report::PreparedReport manual()
{
    QList<report::PreparedReport> sections;
    QStringList contents;
    QStringList pages;
    qsizetype next = 2; // the cover is page 1
    int number = 0;
    for (help::Topic topic : kSections) {
        sections.append(section(++number, topic));
        contents.append(QStringLiteral("%1.   %2").arg(number).arg(help::topicTitle(topic)));
        pages.append(QString::number(next));
        next += sections.last().pages.size();
    }
    report::PreparedReport out = cover(contents, pages);
    out.name = QStringLiteral("Carvello - ") + kTitle;
    for (const report::PreparedReport &s : std::as_const(sections))
        out.pages += s.pages;
    addFooters(out);
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: carvello_makemanual <output.pdf>\n");
        return 2;
    }
    try {
        report::exportPdf(manual(), ui::toQtPath(std::filesystem::path(argv[1])));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "carvello_makemanual: %s\n", e.what());
        return 1;
    }
    return 0;
}
