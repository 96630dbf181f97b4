#include "report/reportlayout.h"

#include "ui/widgets/appearance.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace report {

namespace {

// Texts are measured and drawn in units of 1/2880 inch: a font of p points is
// then exactly 40 p of these units high, so no size is rounded, and at that
// size glyph advances are the fonts' design advances, the same on screen, on
// paper and in a PDF file.
constexpr double kFinePerInch = 2880.0;
constexpr double kFinePerMm = kFinePerInch / 25.4;
constexpr double kFinePerPoint = kFinePerInch / 72.0;
// Lines and outlines: thin, about a hairline of a laser printer.
constexpr double kPenMm = 0.2;
constexpr double kEpsilon = 1e-6;

double fine(double mm) { return mm * kFinePerMm; }
QRectF fine(const QRectF &mm) { return QRectF(fine(mm.left()), fine(mm.top()), fine(mm.width()), fine(mm.height())); }

void ensureFontSubstitutes()
{
    static const bool installed = [] {
        ui::installFontSubstitutes();
        return true;
    }();
    Q_UNUSED(installed);
}

struct Metrics {
    QFontMetricsF metrics;
    double ascent;  // mm
    double descent; // mm

    explicit Metrics(const QFont &font)
        : metrics(font), ascent(metrics.ascent() / kFinePerMm), descent(metrics.descent() / kFinePerMm)
    { }
    double height() const { return ascent + descent; }
    double advance(const QString &text) const { return metrics.horizontalAdvance(text) / kFinePerMm; }
};

// The longest start of `text` whose advance fits `width`: the rest of a line
// that does not fit is cut at the right edge, never wrapped.
qsizetype fittingLength(const Metrics &m, const QString &text, double width)
{
    if (m.advance(text) <= width + kEpsilon)
        return text.size();
    qsizetype low = 0;
    qsizetype high = text.size();
    while (high - low > 1) {
        const qsizetype mid = (low + high) / 2;
        if (m.advance(text.left(mid)) <= width + kEpsilon)
            low = mid;
        else
            high = mid;
    }
    if (low > 0 && text.at(low - 1).isHighSurrogate())
        --low;
    return low;
}

QStringList wrapLine(const Metrics &m, const QString &line, double width)
{
    QStringList out;
    QString rest = line;
    while (!rest.isEmpty()) {
        qsizetype n = fittingLength(m, rest, width);
        if (n >= rest.size()) {
            out.append(rest);
            break;
        }
        // Break after the last blank that fits; a word longer than the line
        // is broken where it reaches the edge.
        const qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), n);
        if (blank > 0)
            n = blank;
        n = std::max<qsizetype>(n, 1);
        out.append(rest.left(n));
        rest = rest.mid(n);
        while (rest.startsWith(QLatin1Char(' ')))
            rest.remove(0, 1);
    }
    if (out.isEmpty())
        out.append(QString());
    return out;
}

class Layouter final
{
public:
    explicit Layouter(PreparedReport &out) : m_out(out) { }

    void run(const ReportPage &page)
    {
        m_page = &page;
        m_area = page.area();
        newPage();
        std::vector<const ReportBand *> bands;
        for (const ReportBand &b : page.bands)
            bands.push_back(&b);
        std::stable_sort(bands.begin(), bands.end(),
                         [](const ReportBand *a, const ReportBand *b) { return a->top < b->top; });
        for (const ReportBand *band : bands) {
            const int rows = band->kind == BandKind::MasterData ? std::max(0, band->rowCount) : 1;
            for (int row = 0; row < rows; ++row)
                placeBand(band->objects, band->height, band->allowSplit);
        }
    }

private:
    const Metrics &metricsFor(const TextFont &font)
    {
        const QString key = QStringLiteral("%1|%2|%3|%4")
                                .arg(font.family)
                                .arg(font.points)
                                .arg(font.bold ? 1 : 0)
                                .arg(font.italic ? 1 : 0);
        auto it = m_metrics.find(key);
        if (it == m_metrics.end())
            it = m_metrics.try_emplace(key, paperFont(font)).first;
        return it->second;
    }

    QStringList visualLines(const ReportObject &o)
    {
        if (!o.wordWrap)
            return o.lines;
        const Metrics &m = metricsFor(o.font);
        const double width = std::max(0.0, o.rect.width() - 2 * o.gapX);
        QStringList out;
        for (const QString &line : o.lines)
            out += wrapLine(m, line, width);
        return out;
    }

    double pitch(const ReportObject &o) { return metricsFor(o.font).height() + o.lineSpacing; }

    void newPage()
    {
        PreparedPage page;
        page.paper = QSizeF(m_page->paperWidth, m_page->paperHeight);
        page.paperSizeCode = m_page->paperSizeCode;
        page.orientation = m_page->orientation;
        m_out.pages.append(page);
        m_y = m_area.top();
        for (const ReportObject &o : m_page->objects)
            emitObject(o, m_area.topLeft());
    }

    PreparedPage &current() { return m_out.pages.last(); }

    void emitObject(const ReportObject &o, QPointF origin)
    {
        PreparedItem item;
        item.kind = o.kind;
        item.name = o.name;
        item.frame = o.rect.translated(origin);
        item.rect = item.frame;
        switch (o.kind) {
        case ObjectKind::Text:
            layOutText(o, item);
            break;
        case ObjectKind::Picture:
            item.picture = o.picture;
            item.rect = o.picture.isNull() ? QRectF() : fitPicture(o.picture.size(), item.frame, o.centred);
            break;
        case ObjectKind::Line:
            item.direction = o.direction;
            item.rect = o.direction == LineDirection::Horizontal
                            ? QRectF(item.frame.left(), item.frame.top(), item.frame.width(), 0)
                            : QRectF(item.frame.left(), item.frame.top(), 0, item.frame.height());
            break;
        case ObjectKind::Shape:
            item.fill = o.fill;
            item.outline = o.outline;
            break;
        }
        current().items.append(item);
    }

    static QRectF fitPicture(QSize size, const QRectF &frame, bool centred)
    {
        if (size.isEmpty() || frame.isEmpty())
            return QRectF(frame.topLeft(), QSizeF(0, 0));
        const double scale = std::min(frame.width() / size.width(), frame.height() / size.height());
        const QSizeF shown(size.width() * scale, size.height() * scale);
        QPointF at = frame.topLeft();
        if (centred)
            at += QPointF((frame.width() - shown.width()) / 2, (frame.height() - shown.height()) / 2);
        return QRectF(at, shown);
    }

    void layOutText(const ReportObject &o, PreparedItem &item)
    {
        item.font = o.font;
        item.background = o.background;
        const Metrics &m = metricsFor(o.font);
        const QRectF r = item.frame;
        const double width = std::max(0.0, r.width() - 2 * o.gapX);
        QStringList lines = visualLines(o);
        if (lines.isEmpty())
            return;
        const double step = m.height() + o.lineSpacing;
        const double room = r.height() - 2 * o.gapY + o.lineSpacing;
        const auto fit = std::max<qsizetype>(1, static_cast<qsizetype>(std::floor(room / step + kEpsilon)));
        if (lines.size() > fit)
            lines = lines.mid(0, fit);
        const double block = lines.size() * step - o.lineSpacing;
        double top = r.top() + o.gapY;
        if (o.vAlign == VAlign::Centre)
            top = r.top() + (r.height() - block) / 2;
        else if (o.vAlign == VAlign::Bottom)
            top = r.bottom() - o.gapY - block;
        for (const QString &source : std::as_const(lines)) {
            PreparedLine line;
            line.text = source.left(fittingLength(m, source, width));
            const double advance = m.advance(line.text);
            double left = r.left() + o.gapX;
            if (o.hAlign == HAlign::Centre)
                left = r.left() + (r.width() - advance) / 2;
            else if (o.hAlign == HAlign::Right)
                left = r.right() - o.gapX - advance;
            line.box = QRectF(left, top, advance, m.height());
            line.baseline = top + m.ascent;
            item.lines.append(line);
            top += step;
        }
    }

    // Where a band that does not fit is cut: at most `room` down, and above
    // the first line of every text that would not fit whole.
    double cutPosition(const std::vector<ReportObject> &objects, double room)
    {
        double cut = room;
        for (int pass = 0; pass < 8; ++pass) {
            double next = cut;
            for (const ReportObject &o : objects) {
                if (o.kind != ObjectKind::Text || o.rect.top() >= next - kEpsilon || o.rect.bottom() <= next + kEpsilon)
                    continue;
                const double step = pitch(o);
                const double lineHeight = metricsFor(o.font).height();
                const auto fitting = static_cast<qsizetype>(
                    std::floor((next - o.rect.top() - o.gapY - lineHeight) / step + kEpsilon) + 1);
                next = fitting <= 0 ? o.rect.top()
                                    : std::min(next, o.rect.top() + o.gapY + static_cast<double>(fitting) * step);
            }
            if (next >= cut - kEpsilon)
                break;
            cut = next;
        }
        return cut;
    }

    void placeBand(std::vector<ReportObject> objects, double height, bool allowSplit)
    {
        for (;;) {
            const double room = m_area.bottom() - m_y;
            const bool atTop = m_y <= m_area.top() + kEpsilon;
            if (height <= room + kEpsilon) {
                emitAll(objects);
                m_y += height;
                return;
            }
            double cut = allowSplit ? cutPosition(objects, room) : 0.0;
            if (cut <= kEpsilon) {
                if (!atTop) {
                    newPage();
                    continue;
                }
                // Taller than a page and not splittable: the paper cuts it.
                emitAll(objects);
                m_y += height;
                return;
            }
            std::vector<ReportObject> head;
            std::vector<ReportObject> tail;
            double tailHeight = height - cut;
            for (const ReportObject &o : objects) {
                if (o.rect.bottom() <= cut + kEpsilon) {
                    head.push_back(o);
                } else if (o.rect.top() >= cut - kEpsilon) {
                    tail.push_back(o);
                    tail.back().rect.translate(0, -cut);
                } else if (o.kind == ObjectKind::Text) {
                    const QStringList lines = visualLines(o);
                    const double step = pitch(o);
                    const auto fitting = std::clamp<qsizetype>(
                        static_cast<qsizetype>(std::floor((cut - o.rect.top() - o.gapY) / step + kEpsilon)), 0,
                        lines.size());
                    ReportObject upper = o;
                    upper.wordWrap = false;
                    upper.vAlign = VAlign::Top;
                    upper.lines = lines.mid(0, fitting);
                    upper.rect.setBottom(cut);
                    if (!upper.lines.isEmpty())
                        head.push_back(upper);
                    ReportObject lower = upper;
                    lower.lines = lines.mid(fitting);
                    lower.gapY = 0;
                    const double needed = lower.lines.size() * step;
                    lower.rect = QRectF(o.rect.left(), 0, o.rect.width(), std::max(o.rect.bottom() - cut, needed));
                    tailHeight = std::max(tailHeight, lower.rect.bottom() + (height - o.rect.bottom()));
                    tail.push_back(lower);
                } else {
                    tail.push_back(o);
                    tail.back().rect.moveTop(0);
                    tailHeight = std::max(tailHeight, o.rect.height() + (height - o.rect.bottom()));
                }
            }
            emitAll(head);
            newPage();
            objects = std::move(tail);
            height = tailHeight;
        }
    }

    void emitAll(const std::vector<ReportObject> &objects)
    {
        const QPointF origin(m_area.left(), m_y);
        for (const ReportObject &o : objects)
            emitObject(o, origin);
    }

    PreparedReport &m_out;
    const ReportPage *m_page = nullptr;
    QRectF m_area;
    double m_y = 0;
    // Node-based, so references handed out stay valid while more are added.
    std::map<QString, Metrics> m_metrics;
};

} // namespace

QString PreparedItem::text() const
{
    QStringList out;
    for (const PreparedLine &line : lines)
        out.append(line.text);
    return out.join(QLatin1Char('\n'));
}

const PreparedItem *PreparedPage::find(const QString &name) const
{
    for (const PreparedItem &item : items) {
        if (item.name.compare(name, Qt::CaseInsensitive) == 0)
            return &item;
    }
    return nullptr;
}

QFont paperFont(const TextFont &font)
{
    ensureFontSubstitutes();
    QFont f(font.family);
    f.setPixelSize(static_cast<int>(std::lround(font.points * kFinePerPoint)));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setKerning(true);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::ForceOutline);
    return f;
}

QString resolvedFamily(const QString &family)
{
    ensureFontSubstitutes();
    return QFontInfo(QFont(family)).family();
}

PreparedReport prepare(const Report &report)
{
    PreparedReport out;
    out.name = report.name();
    out.preview = report.previewOptions();
    Layouter layouter(out);
    for (const ReportPage &page : report.pages())
        layouter.run(page);
    return out;
}

void renderPage(QPainter &painter, const PreparedPage &page, double pixelsPerMm)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const double scale = pixelsPerMm / kFinePerMm;
    painter.scale(scale, scale);
    QPen thin(Qt::black, fine(kPenMm), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    for (const PreparedItem &item : page.items) {
        switch (item.kind) {
        case ObjectKind::Shape:
            if (item.outline.isValid()) {
                QPen outline = thin;
                outline.setColor(item.outline);
                painter.setPen(outline);
            } else {
                painter.setPen(Qt::NoPen);
            }
            painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
            painter.drawRect(fine(item.rect));
            break;
        case ObjectKind::Line:
            painter.setPen(thin);
            if (item.direction == LineDirection::Horizontal)
                painter.drawLine(QPointF(fine(item.rect.left()), fine(item.rect.top())),
                                 QPointF(fine(item.rect.right()), fine(item.rect.top())));
            else
                painter.drawLine(QPointF(fine(item.rect.left()), fine(item.rect.top())),
                                 QPointF(fine(item.rect.left()), fine(item.rect.bottom())));
            break;
        case ObjectKind::Picture:
            if (!item.picture.isNull() && !item.rect.isEmpty())
                painter.drawImage(fine(item.rect), item.picture);
            break;
        case ObjectKind::Text:
            if (item.background.isValid())
                painter.fillRect(fine(item.rect), item.background);
            if (item.lines.isEmpty())
                break;
            painter.setFont(paperFont(item.font));
            painter.setPen(item.font.colour);
            for (const PreparedLine &line : item.lines) {
                if (!line.text.isEmpty())
                    painter.drawText(QPointF(fine(line.box.left()), fine(line.baseline)), line.text);
            }
            break;
        }
    }
    painter.restore();
}

} // namespace report
