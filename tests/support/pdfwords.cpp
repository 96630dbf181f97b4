#include "pdfwords.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

namespace testing {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

QString unescaped(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&apos;"), QLatin1String("'"));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

} // namespace

QList<PdfWord> PdfText::onPage(int page) const
{
    QList<PdfWord> out;
    for (const PdfWord &w : words) {
        if (w.page == page)
            out.append(w);
    }
    return out;
}

PdfWord PdfText::find(int page, const QString &text, QPointF near) const
{
    for (const PdfWord &w : words) {
        if (w.page == page && w.text == text && w.box.left() >= near.x() - 2 && w.box.top() >= near.y() - 2)
            return w;
    }
    return {};
}

QString PdfText::textIn(int page, const QRectF &area) const
{
    const QRectF loose = area.adjusted(-0.3, -1.0, 0.3, 1.0);
    QStringList found;
    for (const PdfWord &w : words) {
        if (w.page == page && loose.contains(w.box))
            found.append(w.text);
    }
    return found.join(QLatin1Char(' '));
}

PdfText readPdfText(const QString &pdfFile)
{
    PdfText result;
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfFile, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        QTest::qFail("pdftotext could not read the PDF file", __FILE__, __LINE__);
        return result;
    }
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression pageTag(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression wordTag(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>)re"));
    // Pages and words in document order: remember where each page starts.
    QList<qsizetype> pageStarts;
    for (auto it = pageTag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        pageStarts.append(m.capturedStart());
        result.pages.append(QSizeF(m.captured(1).toDouble() * kMmPerPoint, m.captured(2).toDouble() * kMmPerPoint));
    }
    for (auto it = wordTag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        PdfWord w;
        w.page = static_cast<int>(std::upper_bound(pageStarts.begin(), pageStarts.end(), m.capturedStart())
                                  - pageStarts.begin())
                 - 1;
        w.text = unescaped(m.captured(5));
        w.box = QRectF(QPointF(m.captured(1).toDouble() * kMmPerPoint, m.captured(2).toDouble() * kMmPerPoint),
                       QPointF(m.captured(3).toDouble() * kMmPerPoint, m.captured(4).toDouble() * kMmPerPoint));
        result.words.append(w);
    }
    return result;
}

} // namespace testing
