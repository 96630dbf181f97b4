#include "report/reportmodel.h"

#include "report/pictures.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <utility>

namespace report {

namespace {

// A template refers to another one only through "extends"; a short chain is
// plenty and a loop must not hang the program.
constexpr int kMaxExtends = 4;

[[noreturn]] void fail(const QString &message) { throw ReportError(message); }

void checkKeys(const QJsonObject &json, const QStringList &known, const QString &where)
{
    for (auto it = json.begin(); it != json.end(); ++it) {
        if (!known.contains(it.key()))
            fail(QStringLiteral("Unknown property \"%1\" in %2").arg(it.key(), where));
    }
}

double number(const QJsonObject &json, const QString &key, const QString &where)
{
    const QJsonValue v = json.value(key);
    if (!v.isDouble())
        fail(QStringLiteral("Property \"%1\" of %2 must be a number").arg(key, where));
    return v.toDouble();
}

bool boolean(const QJsonObject &json, const QString &key, const QString &where)
{
    const QJsonValue v = json.value(key);
    if (!v.isBool())
        fail(QStringLiteral("Property \"%1\" of %2 must be true or false").arg(key, where));
    return v.toBool();
}

QString string(const QJsonObject &json, const QString &key, const QString &where)
{
    const QJsonValue v = json.value(key);
    if (!v.isString())
        fail(QStringLiteral("Property \"%1\" of %2 must be a text").arg(key, where));
    return v.toString();
}

QColor colour(const QJsonObject &json, const QString &key, const QString &where)
{
    const QString text = string(json, key, where);
    if (text.isEmpty() || text == QLatin1String("none"))
        return QColor();
    const QColor c = QColor::fromString(text);
    if (!c.isValid())
        fail(QStringLiteral("Colour \"%1\" of %2 is not a colour").arg(text, where));
    return c;
}

template <typename Enum>
Enum choice(const QJsonObject &json, const QString &key, const QString &where,
            std::initializer_list<std::pair<const char *, Enum>> options)
{
    const QString text = string(json, key, where);
    for (const auto &[word, value] : options) {
        if (text == QLatin1String(word))
            return value;
    }
    fail(QStringLiteral("Property \"%1\" of %2 has the unknown value \"%3\"").arg(key, where, text));
}

QImage loadDesignPicture(const QString &path, const QString &where)
{
    const QImage image = readPicture(path);
    if (image.isNull())
        fail(QStringLiteral("Picture \"%1\" of %2 cannot be read").arg(path, where));
    return image;
}

// Reads the properties present in `json` into `object`; absent ones keep
// their value, so the same reader builds an object and changes one.
void applyObject(ReportObject &object, const QJsonObject &json, const QString &where)
{
    checkKeys(json, {QStringLiteral("name"),        QStringLiteral("kind"),    QStringLiteral("left"),
                     QStringLiteral("top"),         QStringLiteral("width"),   QStringLiteral("height"),
                     QStringLiteral("text"),        QStringLiteral("lines"),   QStringLiteral("font"),
                     QStringLiteral("hAlign"),      QStringLiteral("vAlign"),  QStringLiteral("wordWrap"),
                     QStringLiteral("background"),  QStringLiteral("gapX"),    QStringLiteral("gapY"),
                     QStringLiteral("lineSpacing"), QStringLiteral("picture"), QStringLiteral("centred"),
                     QStringLiteral("direction"),   QStringLiteral("fill"),    QStringLiteral("outline")},
              where);
    if (json.contains(QLatin1String("kind"))) {
        object.kind = choice<ObjectKind>(json, QStringLiteral("kind"), where,
                                         {{"text", ObjectKind::Text},
                                          {"picture", ObjectKind::Picture},
                                          {"line", ObjectKind::Line},
                                          {"shape", ObjectKind::Shape}});
    }
    QRectF r = object.rect;
    if (json.contains(QLatin1String("left")))
        r.moveLeft(number(json, QStringLiteral("left"), where));
    if (json.contains(QLatin1String("top")))
        r.moveTop(number(json, QStringLiteral("top"), where));
    if (json.contains(QLatin1String("width")))
        r.setWidth(number(json, QStringLiteral("width"), where));
    if (json.contains(QLatin1String("height")))
        r.setHeight(number(json, QStringLiteral("height"), where));
    if (r.width() < 0 || r.height() < 0)
        fail(QStringLiteral("%1 has a negative size").arg(where));
    object.rect = r;

    if (json.contains(QLatin1String("text")))
        object.setText(string(json, QStringLiteral("text"), where));
    if (json.contains(QLatin1String("lines"))) {
        const QJsonValue v = json.value(QLatin1String("lines"));
        if (!v.isArray())
            fail(QStringLiteral("Property \"lines\" of %1 must be a list of texts").arg(where));
        object.lines.clear();
        for (const QJsonValue line : v.toArray())
            object.lines.append(line.toString());
    }
    if (json.contains(QLatin1String("font"))) {
        const QJsonValue v = json.value(QLatin1String("font"));
        if (!v.isObject())
            fail(QStringLiteral("Property \"font\" of %1 must be an object").arg(where));
        const QJsonObject f = v.toObject();
        const QString fontWhere = QStringLiteral("the font of ") + where;
        checkKeys(f,
                  {QStringLiteral("family"), QStringLiteral("size"), QStringLiteral("bold"), QStringLiteral("italic"),
                   QStringLiteral("colour")},
                  fontWhere);
        if (f.contains(QLatin1String("family")))
            object.font.family = string(f, QStringLiteral("family"), fontWhere);
        if (f.contains(QLatin1String("size"))) {
            object.font.points = number(f, QStringLiteral("size"), fontWhere);
            if (object.font.points <= 0)
                fail(QStringLiteral("%1 has no size").arg(fontWhere));
        }
        if (f.contains(QLatin1String("bold")))
            object.font.bold = boolean(f, QStringLiteral("bold"), fontWhere);
        if (f.contains(QLatin1String("italic")))
            object.font.italic = boolean(f, QStringLiteral("italic"), fontWhere);
        if (f.contains(QLatin1String("colour"))) {
            object.font.colour = colour(f, QStringLiteral("colour"), fontWhere);
            if (!object.font.colour.isValid())
                fail(QStringLiteral("%1 needs a colour").arg(fontWhere));
        }
    }
    if (json.contains(QLatin1String("hAlign"))) {
        object.hAlign = choice<HAlign>(json, QStringLiteral("hAlign"), where,
                                       {{"left", HAlign::Left}, {"centre", HAlign::Centre}, {"right", HAlign::Right}});
    }
    if (json.contains(QLatin1String("vAlign"))) {
        object.vAlign = choice<VAlign>(json, QStringLiteral("vAlign"), where,
                                       {{"top", VAlign::Top}, {"centre", VAlign::Centre}, {"bottom", VAlign::Bottom}});
    }
    if (json.contains(QLatin1String("wordWrap")))
        object.wordWrap = boolean(json, QStringLiteral("wordWrap"), where);
    if (json.contains(QLatin1String("background")))
        object.background = colour(json, QStringLiteral("background"), where);
    if (json.contains(QLatin1String("gapX")))
        object.gapX = number(json, QStringLiteral("gapX"), where);
    if (json.contains(QLatin1String("gapY")))
        object.gapY = number(json, QStringLiteral("gapY"), where);
    if (json.contains(QLatin1String("lineSpacing")))
        object.lineSpacing = number(json, QStringLiteral("lineSpacing"), where);
    if (json.contains(QLatin1String("picture"))) {
        const QString path = string(json, QStringLiteral("picture"), where);
        object.picture = path.isEmpty() ? QImage() : loadDesignPicture(path, where);
    }
    if (json.contains(QLatin1String("centred")))
        object.centred = boolean(json, QStringLiteral("centred"), where);
    if (json.contains(QLatin1String("direction"))) {
        object.direction =
            choice<LineDirection>(json, QStringLiteral("direction"), where,
                                  {{"horizontal", LineDirection::Horizontal}, {"vertical", LineDirection::Vertical}});
    }
    if (json.contains(QLatin1String("fill")))
        object.fill = colour(json, QStringLiteral("fill"), where);
    if (json.contains(QLatin1String("outline")))
        object.outline = colour(json, QStringLiteral("outline"), where);
}

ReportObject readObject(const QJsonValue &value, const QString &container)
{
    if (!value.isObject())
        fail(QStringLiteral("An object of %1 is not described by an object").arg(container));
    const QJsonObject json = value.toObject();
    const QString name = json.value(QLatin1String("name")).toString();
    if (name.isEmpty())
        fail(QStringLiteral("An object of %1 has no name").arg(container));
    if (!json.contains(QLatin1String("kind")))
        fail(QStringLiteral("Object \"%1\" has no kind").arg(name));
    ReportObject object;
    object.name = name;
    applyObject(object, json, QStringLiteral("object \"%1\"").arg(name));
    if (object.kind == ObjectKind::Line && !json.contains(QLatin1String("direction"))) {
        object.direction = object.rect.width() == 0.0 && object.rect.height() > 0.0 ? LineDirection::Vertical
                                                                                    : LineDirection::Horizontal;
    }
    return object;
}

std::vector<ReportObject> readObjects(const QJsonObject &json, const QString &container)
{
    std::vector<ReportObject> objects;
    const QJsonValue v = json.value(QLatin1String("objects"));
    if (v.isUndefined())
        return objects;
    if (!v.isArray())
        fail(QStringLiteral("The objects of %1 must be a list").arg(container));
    for (const QJsonValue item : v.toArray())
        objects.push_back(readObject(item, container));
    return objects;
}

ReportBand readBand(const QJsonValue &value)
{
    if (!value.isObject())
        fail(QStringLiteral("A band is not described by an object"));
    const QJsonObject json = value.toObject();
    ReportBand band;
    band.name = json.value(QLatin1String("name")).toString();
    if (band.name.isEmpty())
        fail(QStringLiteral("A band has no name"));
    const QString where = QStringLiteral("band \"%1\"").arg(band.name);
    checkKeys(json,
              {QStringLiteral("name"), QStringLiteral("kind"), QStringLiteral("top"), QStringLiteral("height"),
               QStringLiteral("rows"), QStringLiteral("allowSplit"), QStringLiteral("objects")},
              where);
    band.kind = choice<BandKind>(
        json, QStringLiteral("kind"), where,
        {{"reportTitle", BandKind::ReportTitle}, {"masterData", BandKind::MasterData}, {"footer", BandKind::Footer}});
    band.top = number(json, QStringLiteral("top"), where);
    band.height = number(json, QStringLiteral("height"), where);
    if (json.contains(QLatin1String("rows")))
        band.rowCount = static_cast<int>(number(json, QStringLiteral("rows"), where));
    if (json.contains(QLatin1String("allowSplit")))
        band.allowSplit = boolean(json, QStringLiteral("allowSplit"), where);
    band.objects = readObjects(json, where);
    return band;
}

ReportPage readPage(const QJsonValue &value)
{
    if (!value.isObject())
        fail(QStringLiteral("A page is not described by an object"));
    const QJsonObject json = value.toObject();
    ReportPage page;
    page.name = json.value(QLatin1String("name")).toString();
    const QString where = QStringLiteral("page \"%1\"").arg(page.name);
    checkKeys(json,
              {QStringLiteral("name"), QStringLiteral("paper"), QStringLiteral("orientation"),
               QStringLiteral("margins"), QStringLiteral("objects"), QStringLiteral("bands")},
              where);
    const QJsonObject paper = json.value(QLatin1String("paper")).toObject();
    const QString paperWhere = QStringLiteral("the paper of ") + where;
    checkKeys(paper, {QStringLiteral("width"), QStringLiteral("height"), QStringLiteral("code")}, paperWhere);
    page.paperWidth = number(paper, QStringLiteral("width"), paperWhere);
    page.paperHeight = number(paper, QStringLiteral("height"), paperWhere);
    if (page.paperWidth <= 0 || page.paperHeight <= 0)
        fail(QStringLiteral("%1 has no size").arg(paperWhere));
    if (paper.contains(QLatin1String("code")))
        page.paperSizeCode = static_cast<int>(number(paper, QStringLiteral("code"), paperWhere));
    if (json.contains(QLatin1String("orientation"))) {
        page.orientation =
            choice<Orientation>(json, QStringLiteral("orientation"), where,
                                {{"portrait", Orientation::Portrait}, {"landscape", Orientation::Landscape}});
    }
    if (json.contains(QLatin1String("margins"))) {
        const QJsonObject m = json.value(QLatin1String("margins")).toObject();
        const QString marginWhere = QStringLiteral("the margins of ") + where;
        checkKeys(m, {QStringLiteral("left"), QStringLiteral("top"), QStringLiteral("right"), QStringLiteral("bottom")},
                  marginWhere);
        page.margins =
            QMarginsF(m.value(QLatin1String("left")).toDouble(), m.value(QLatin1String("top")).toDouble(),
                      m.value(QLatin1String("right")).toDouble(), m.value(QLatin1String("bottom")).toDouble());
    }
    page.objects = readObjects(json, where);
    const QJsonValue bands = json.value(QLatin1String("bands"));
    if (bands.isArray()) {
        for (const QJsonValue band : bands.toArray())
            page.bands.push_back(readBand(band));
    } else if (!bands.isUndefined()) {
        fail(QStringLiteral("The bands of %1 must be a list").arg(where));
    }
    return page;
}

QByteArray readTemplateFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("The report template \"%1\" cannot be read").arg(path));
    return file.readAll();
}

QJsonObject parse(const QByteArray &json, const QString &origin)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        fail(QStringLiteral("The report template %1 is not valid (%2 at offset %3)")
                 .arg(origin, error.errorString())
                 .arg(error.offset));
    }
    return doc.object();
}

} // namespace

ReportError::ReportError(const QString &message) : std::runtime_error(message.toStdString()) { }

void ReportObject::setText(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    lines = text.isEmpty() ? QStringList() : text.split(breaks);
}

void ReportPage::setOrientation(Orientation value)
{
    if (value == orientation)
        return;
    orientation = value;
    std::swap(paperWidth, paperHeight);
}

QRectF ReportPage::area() const { return QRectF(0, 0, paperWidth, paperHeight).marginsRemoved(margins); }

Report Report::load(const QString &path) { return fromJsonObject(parse(readTemplateFile(path), path), path, 0); }

Report Report::fromJson(const QByteArray &json, const QString &origin)
{
    return fromJsonObject(parse(json, origin), origin, 0);
}

Report Report::fromJsonObject(const QJsonObject &root, const QString &origin, int depth)
{
    checkKeys(root,
              {QStringLiteral("report"), QStringLiteral("preview"), QStringLiteral("print"), QStringLiteral("pages"),
               QStringLiteral("extends"), QStringLiteral("changes")},
              QStringLiteral("the report template ") + origin);
    Report report;
    if (root.contains(QLatin1String("extends"))) {
        if (depth >= kMaxExtends)
            fail(QStringLiteral("The report template %1 extends too many others").arg(origin));
        const QString base = root.value(QLatin1String("extends")).toString();
        report = fromJsonObject(parse(readTemplateFile(base), base), base, depth + 1);
        const QJsonObject changes = root.value(QLatin1String("changes")).toObject();
        for (auto it = changes.begin(); it != changes.end(); ++it) {
            ReportObject &object = report.object(it.key());
            applyObject(object, it.value().toObject(), QStringLiteral("object \"%1\"").arg(object.name));
        }
    } else {
        const QJsonValue pages = root.value(QLatin1String("pages"));
        if (!pages.isArray() || pages.toArray().isEmpty())
            fail(QStringLiteral("The report template %1 has no page").arg(origin));
        for (const QJsonValue page : pages.toArray())
            report.m_pages.push_back(readPage(page));
    }
    if (root.contains(QLatin1String("report")))
        report.m_name = root.value(QLatin1String("report")).toString();
    if (root.contains(QLatin1String("preview"))) {
        const QJsonObject p = root.value(QLatin1String("preview")).toObject();
        const QString where = QStringLiteral("the preview options");
        checkKeys(p, {QStringLiteral("buttons"), QStringLiteral("allowEdit")}, where);
        if (p.contains(QLatin1String("buttons"))) {
            PreviewOptions options;
            options.print = options.zoom = options.fullScreen = options.close = options.pdf = false;
            for (const QJsonValue b : p.value(QLatin1String("buttons")).toArray()) {
                const QString word = b.toString();
                if (word == QLatin1String("print"))
                    options.print = true;
                else if (word == QLatin1String("zoom"))
                    options.zoom = true;
                else if (word == QLatin1String("fullScreen"))
                    options.fullScreen = true;
                else if (word == QLatin1String("close"))
                    options.close = true;
                else if (word == QLatin1String("pdf"))
                    options.pdf = true;
                else
                    fail(QStringLiteral("Unknown preview button \"%1\"").arg(word));
            }
            report.m_preview = options;
        }
        if (p.contains(QLatin1String("allowEdit")))
            report.m_preview.allowEdit = boolean(p, QStringLiteral("allowEdit"), where);
    }
    if (root.contains(QLatin1String("print"))) {
        const QJsonObject p = root.value(QLatin1String("print")).toObject();
        const QString where = QStringLiteral("the print options");
        checkKeys(p, {QStringLiteral("copies"), QStringLiteral("showDialog")}, where);
        if (p.contains(QLatin1String("copies")))
            report.m_print.copies = qMax(1, static_cast<int>(number(p, QStringLiteral("copies"), where)));
        if (p.contains(QLatin1String("showDialog")))
            report.m_print.showDialog = boolean(p, QStringLiteral("showDialog"), where);
    }
    report.checkUniqueNames();
    return report;
}

void Report::checkUniqueNames() const
{
    QSet<QString> seen;
    auto check = [&seen](const QString &name) {
        const QString key = name.toCaseFolded();
        if (seen.contains(key))
            fail(QStringLiteral("The name \"%1\" is used twice").arg(name));
        seen.insert(key);
    };
    for (const ReportPage &page : m_pages) {
        for (const ReportObject &o : page.objects)
            check(o.name);
        for (const ReportBand &band : page.bands) {
            check(band.name);
            for (const ReportObject &o : band.objects)
                check(o.name);
        }
    }
}

ReportPage &Report::page(int index)
{
    if (index < 0 || index >= pageCount())
        fail(QStringLiteral("The report \"%1\" has no page %2").arg(m_name).arg(index + 1));
    return m_pages[static_cast<std::size_t>(index)];
}

const ReportPage &Report::page(int index) const { return const_cast<Report *>(this)->page(index); }

ReportObject *Report::findObject(const QString &name)
{
    for (ReportPage &page : m_pages) {
        for (ReportObject &o : page.objects) {
            if (o.name.compare(name, Qt::CaseInsensitive) == 0)
                return &o;
        }
        for (ReportBand &band : page.bands) {
            for (ReportObject &o : band.objects) {
                if (o.name.compare(name, Qt::CaseInsensitive) == 0)
                    return &o;
            }
        }
    }
    return nullptr;
}

bool Report::contains(const QString &name) const
{
    if (const_cast<Report *>(this)->findObject(name))
        return true;
    for (const ReportPage &page : m_pages) {
        for (const ReportBand &band : page.bands) {
            if (band.name.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

ReportObject &Report::object(const QString &name)
{
    ReportObject *o = findObject(name);
    if (!o)
        fail(QStringLiteral("Object \"%1\" not found in the report \"%2\"").arg(name, m_name));
    return *o;
}

ReportObject &Report::textObject(const QString &name)
{
    ReportObject &o = object(name);
    if (o.kind != ObjectKind::Text)
        fail(QStringLiteral("Object \"%1\" of the report \"%2\" is not a text object").arg(o.name, m_name));
    return o;
}

ReportObject &Report::pictureObject(const QString &name)
{
    ReportObject &o = object(name);
    if (o.kind != ObjectKind::Picture)
        fail(QStringLiteral("Object \"%1\" of the report \"%2\" is not a picture object").arg(o.name, m_name));
    return o;
}

ReportBand &Report::band(const QString &name)
{
    for (ReportPage &page : m_pages) {
        for (ReportBand &b : page.bands) {
            if (b.name.compare(name, Qt::CaseInsensitive) == 0)
                return b;
        }
    }
    fail(QStringLiteral("Band \"%1\" not found in the report \"%2\"").arg(name, m_name));
}

} // namespace report
