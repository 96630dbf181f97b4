#include "app/helptopics.h"
#include "support/pdfwords.h"
#include "support/testsupport.h"

#include <QFile>
#include <QTest>

Q_DECLARE_METATYPE(help::Topic)

// The manual Guida.pdf as the build lays it out beside the program, read
// back word by word.
class TestManual final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void isAnA4DocumentWithACover();
    void everyPageAfterTheCoverIsNumbered();
    void everyTopicHasItsSectionAndWords_data();
    void everyTopicHasItsSectionAndWords();

private:
    // The words of the pages from `firstPage` on, without the foot of the
    // pages, joined by blanks.
    QString bodyText(int firstPage) const;
    // The first page from `firstPage` on whose top holds `title`.
    int sectionPage(const QString &title) const;

    testing::TempDataFolder m_data;
    testing::PdfText m_pdf;
};

namespace {

const QString kManual = QStringLiteral(CARVELLO_PROGRAM_FOLDER "/Guida.pdf");
// Below this, in millimetres from the top of the sheet, lies the page foot.
constexpr double kFootTop = 270;

// pdftotext hands ligatures back as one character; the topics spell them out.
QString plain(const QString &text) { return text.normalized(QString::NormalizationForm_KC).simplified(); }

} // namespace

void TestManual::initTestCase()
{
    QVERIFY2(QFile::exists(kManual), qPrintable(kManual));
    QCOMPARE(testing::readFile(kManual).left(5), QByteArray("%PDF-"));
    m_pdf = testing::readPdfText(kManual);
}

QString TestManual::bodyText(int firstPage) const
{
    QStringList words;
    for (const testing::PdfWord &w : m_pdf.words) {
        if (w.page >= firstPage && w.box.top() < kFootTop)
            words.append(w.text);
    }
    return plain(words.join(QLatin1Char(' ')));
}

int TestManual::sectionPage(const QString &title) const
{
    for (int page = 1; page < m_pdf.pages.size(); ++page) {
        if (plain(m_pdf.textIn(page, QRectF(0, 0, 210, 50))).contains(plain(title)))
            return page;
    }
    return -1;
}

void TestManual::isAnA4DocumentWithACover()
{
    QVERIFY(m_pdf.pages.size() >= 6);
    for (const QSizeF &size : std::as_const(m_pdf.pages)) {
        QVERIFY(qAbs(size.width() - 210) < 0.5);
        QVERIFY(qAbs(size.height() - 297) < 0.5);
    }
    const QString cover = plain(m_pdf.textIn(0, QRectF(0, 0, 210, 297)));
    QVERIFY2(cover.contains(QStringLiteral("Guida all'utilizzo del software")), qPrintable(cover));
    QVERIFY(cover.contains(QStringLiteral("Versione ") + QStringLiteral(CARVELLO_VERSION)));
    QVERIFY(cover.contains(QStringLiteral("Indice")));
    // The cover has no body text: the first section starts on page 2.
    QCOMPARE(sectionPage(help::topicTitle(help::Topic::Overview)), 1);
}

void TestManual::everyPageAfterTheCoverIsNumbered()
{
    const auto total = m_pdf.pages.size();
    QVERIFY(!plain(m_pdf.textIn(0, QRectF(0, kFootTop, 210, 297 - kFootTop))).contains(QStringLiteral("Pagina")));
    for (qsizetype page = 1; page < total; ++page) {
        const QString foot = plain(m_pdf.textIn(int(page), QRectF(0, kFootTop, 210, 297 - kFootTop)));
        QVERIFY2(foot.contains(QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(total)), qPrintable(foot));
    }
}

void TestManual::everyTopicHasItsSectionAndWords_data()
{
    QTest::addColumn<help::Topic>("topic");
    QTest::addColumn<help::Topic>("section");
    QTest::newRow("overview") << help::Topic::Overview << help::Topic::Overview;
    QTest::newRow("clients") << help::Topic::Clients << help::Topic::Clients;
    QTest::newRow("fleet") << help::Topic::Fleet << help::Topic::Fleet;
    QTest::newRow("agreements") << help::Topic::Agreements << help::Topic::Agreements;
    QTest::newRow("export") << help::Topic::Export << help::Topic::Export;
    // The vehicle export's title lacks only the full stop: its text is the
    // export section's.
    QTest::newRow("vehicle export") << help::Topic::ExportFleet << help::Topic::Export;
}

void TestManual::everyTopicHasItsSectionAndWords()
{
    QFETCH(help::Topic, topic);
    QFETCH(help::Topic, section);
    const QString title = help::topicTitle(topic);
    const int page = sectionPage(title);
    QVERIFY2(page > 0, qPrintable(title));
    // Listed in the contents with the page the section starts on.
    const QString contents = plain(m_pdf.textIn(0, QRectF(0, 120, 210, 100)));
    QVERIFY2(contents.contains(title), qPrintable(contents));
    QVERIFY(contents.contains(QStringLiteral("%1 %2").arg(help::topicTitle(section)).arg(page + 1)));

    // Every paragraph the section owns follows its heading in order, whole,
    // across page breaks; the paragraphs of other topics are theirs.
    const QString body = bodyText(page);
    qsizetype at = body.indexOf(plain(help::topicTitle(section)));
    QVERIFY2(at > 0 && body.left(at).startsWith(QStringLiteral("Capitolo ")), qPrintable(body.left(80)));
    int owned = 0;
    for (const help::Paragraph &p : help::topicParagraphs(topic)) {
        if (p.owner != section)
            continue;
        ++owned;
        const qsizetype found = body.indexOf(plain(p.text), at);
        QVERIFY2(found > at, qPrintable(p.text));
        at = found;
    }
    QVERIFY(owned >= 3);
}

QTEST_MAIN(TestManual)
#include "test_manual.moc"
