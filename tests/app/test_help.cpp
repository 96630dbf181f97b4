#include "app/helptopics.h"
#include "app/helpwindow.h"
#include "app/passwordwindows.h"
#include "app/startup.h"
#include "records/accesspassword.h"
#include "support/testsupport.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/qtext.h"
#include "ui/widgets/navigation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(help::Topic)

namespace {

// The export text as the export windows' help has always read; the second
// paragraph was written as two strings joined without a blank between them.
const QStringList kExportParagraphs{
    QStringLiteral("The Export to Excel button allows you to export the textual data present in the database into a "
                   "Microsoft Excel worksheet, which can be opened with any software capable of managing files in "
                   "XLS format (for example, with Open Office, Libre Office or Microsoft Office)."),
    QStringLiteral("After opening the window containing the data grid, click on the Excel icon. This operation "
                   "creates in real time a file in XLS format containing the records in the database, which")
        + QStringLiteral(" can be opened immediately by answering affirmatively to the question message that appears."),
    QStringLiteral("At this point, you can save the file to your hard disk and name it as you wish."),
};

const QString kSeparator = QStringLiteral("\r\n\r\n");

} // namespace

class TestHelp final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void everyHelpButtonOpensItsTopic_data();
    void everyHelpButtonOpensItsTopic();
    void exportTopicsKeepTheirWordsAndTitles_data();
    void exportTopicsKeepTheirWordsAndTitles();
    void overviewIsMadeOfTheOtherTopics();
    void overviewNamesTheSeededPassword();
    void textCanBeSelectedAndScrolledButNotEdited();
    void pdfPictureAndLinkOpenTheManual_data();
    void pdfPictureAndLinkOpenTheManual();

private:
    // Runs `open`, which must show one help window, and `check` on that
    // window while it is shown; checks that the window is gone afterwards.
    void inHelpWindow(const std::function<void()> &open, const std::function<void(QDialog *)> &check);

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    QList<QWidget *> m_windows;
};

void TestHelp::initTestCase() { app::prepareApplication(*qApp); }

void TestHelp::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    // The build folder of the program: the seed file and the manual lie there.
    app::setProgramFolderForTests(ui::fromQtPath(QStringLiteral(CARVELLO_PROGRAM_FOLDER)));
    m_windows = app::createWindows();
}

void TestHelp::cleanup()
{
    app::destroyWindows(m_windows);
    delete m_dialogs;
    delete m_data;
}

void TestHelp::inHelpWindow(const std::function<void()> &open, const std::function<void(QDialog *)> &check)
{
    bool shownOnce = false;
    m_dialogs->modalShown.clear();
    m_dialogs->modalHandlers.enqueue([&](QDialog *window) {
        shownOnce = true;
        check(window);
        return window->result();
    });
    open();
    // A failed comparison inside `check` only left the handler.
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(shownOnce);
    QCOMPARE(m_dialogs->modalShown, QStringList(QStringLiteral("TfrmGuida")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY(w->objectName() != QStringLiteral("TfrmGuida"));
}

void TestHelp::everyHelpButtonOpensItsTopic_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("paragraphs");
    QTest::newRow("launcher") << "TfrmAvvio"
                              << "imgGuida"
                              << "Uno sguardo a Carvello" << 32;
    QTest::newRow("client editor") << "TfrmClients"
                                   << "cmdHelp"
                                   << "App Client Database (Archivio Clienti)" << 8;
    QTest::newRow("vehicle editor") << "TfrmFleet"
                                    << "cmdGuida"
                                    << "App Vehicle Fleet (Flotta Veicoli)" << 9;
    QTest::newRow("year selection") << "TfrmMenuRicevute"
                                    << "imgGuida"
                                    << "App Rental Agreements (Contratti di Noleggio)" << 12;
    QTest::newRow("agreement editor") << "TfrmRent_Receipts"
                                      << "cmdGuida"
                                      << "App Rental Agreements (Contratti di Noleggio)" << 12;
}

void TestHelp::everyHelpButtonOpensItsTopic()
{
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(QString, title);
    QFETCH(int, paragraphs);
    QWidget *caller = ui::primaryWindow(window);
    QVERIFY(caller);
    ui::showPrimary(caller);
    auto *help = caller->findChild<QAbstractButton *>(button);
    QVERIFY(help);
    inHelpWindow([&] { help->click(); },
                 [&](QDialog *guida) {
                     QCOMPARE(guida->windowTitle(), QStringLiteral(" Guida all'utilizzo del software"));
                     QCOMPARE(guida->size(), QSize(670, 572));
                     QVERIFY(!(guida->windowFlags() & Qt::WindowCloseButtonHint));
                     QCOMPARE(guida->parentWidget(), caller);
                     for (const char *name : {"lblTitolo", "txtGuida", "imgPDF", "lnkWeb", "btnChiudi"}) {
                         const QWidget *control = guida->findChild<QWidget *>(QLatin1String(name));
                         QVERIFY2(control && !control->accessibleName().isEmpty(), name);
                     }
                     QCOMPARE(guida->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text(), title);
                     const QString text = guida->findChild<QPlainTextEdit *>(QStringLiteral("txtGuida"))->toPlainText();
                     QCOMPARE(text.split(QStringLiteral("\n\n")).size(), paragraphs);
                     QVERIFY(!text.contains(QStringLiteral("\n\n\n")));
                     auto *close = guida->findChild<QPushButton *>(QStringLiteral("btnChiudi"));
                     QCOMPARE(close->text(), QStringLiteral("Chiudi"));
                     close->click();
                     QVERIFY(!guida->isVisible());
                     QCOMPARE(guida->result(), int(QDialog::Accepted));
                 });
    QVERIFY(caller->isVisible());
}

void TestHelp::exportTopicsKeepTheirWordsAndTitles_data()
{
    QTest::addColumn<help::Topic>("topic");
    QTest::addColumn<QString>("title");
    QTest::newRow("clients and agreements") << help::Topic::Export << "Export database to Microsoft Excel.";
    QTest::newRow("vehicles, no full stop") << help::Topic::ExportFleet << "Export database to Microsoft Excel";
}

void TestHelp::exportTopicsKeepTheirWordsAndTitles()
{
    QFETCH(help::Topic, topic);
    QFETCH(QString, title);
    QCOMPARE(help::topicTitle(topic), title);
    QCOMPARE(help::topicText(topic), kExportParagraphs.join(kSeparator));
    QWidget *caller = ui::primaryWindow(QStringLiteral("TfrmClients"));
    ui::showPrimary(caller);
    inHelpWindow([&] { help::showHelp(caller, topic); },
                 [&](QDialog *guida) {
                     QCOMPARE(guida->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text(), title);
                     QCOMPARE(guida->findChild<QPlainTextEdit *>(QStringLiteral("txtGuida"))->toPlainText(),
                              kExportParagraphs.join(QStringLiteral("\n\n")));
                 });
}

void TestHelp::overviewIsMadeOfTheOtherTopics()
{
    const QStringList overview = help::topicText(help::Topic::Overview).split(kSeparator);
    QStringList included;
    for (help::Topic t : {help::Topic::Fleet, help::Topic::Clients, help::Topic::Agreements})
        included += help::topicText(t).split(kSeparator);
    QCOMPARE(overview.size(), 32);
    QCOMPARE(included.size(), 29);
    QCOMPARE(overview.mid(1, 29), included);
    // Its own paragraphs are not repeated elsewhere, and none is empty.
    for (int i : {0, 30, 31})
        QVERIFY2(!included.contains(overview.at(i)), qPrintable(overview.at(i)));
    for (const QString &p : overview)
        QVERIFY(p.size() > 40);
    // Owners tell the manual which paragraphs belong to which section.
    const QList<help::Paragraph> paragraphs = help::topicParagraphs(help::Topic::Overview);
    QCOMPARE(paragraphs.at(0).owner, help::Topic::Overview);
    QCOMPARE(paragraphs.at(1).owner, help::Topic::Fleet);
    QCOMPARE(paragraphs.at(10).owner, help::Topic::Clients);
    QCOMPARE(paragraphs.at(18).owner, help::Topic::Agreements);
    QCOMPARE(paragraphs.at(30).owner, help::Topic::Overview);
}

void TestHelp::overviewNamesTheSeededPassword()
{
    // The seed file built beside the program and paragraph 31 come from one
    // value: a fresh data folder accepts what the help names.
    records::seedPasswordFile(app::programFolder());
    const std::optional<std::string> stored = records::readStoredPassword();
    QVERIFY(stored);
    const QString password = ui::toQt(*stored);
    QVERIFY(!password.isEmpty());
    QCOMPARE(help::initialPassword(), password);
    const QString paragraph31 = help::topicText(help::Topic::Overview).split(kSeparator).at(30);
    QVERIFY2(paragraph31.contains(QLatin1Char(' ') + password), qPrintable(paragraph31));
    QVERIFY(paragraph31.contains(QStringLiteral("password")));
}

void TestHelp::textCanBeSelectedAndScrolledButNotEdited()
{
    QWidget *caller = ui::primaryWindow(QStringLiteral("TfrmAvvio"));
    ui::showPrimary(caller);
    inHelpWindow([&] { help::showHelp(caller, help::Topic::Overview); },
                 [&](QDialog *guida) {
                     auto *box = guida->findChild<QPlainTextEdit *>(QStringLiteral("txtGuida"));
                     QCOMPARE(box->size(), QSize(625, 350));
                     QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
                     QVERIFY(box->isReadOnly());
                     QVERIFY(!box->accessibleName().isEmpty());
                     QCOMPARE(box->verticalScrollBar()->value(), 0);
                     QVERIFY(box->verticalScrollBar()->maximum() > 0);
                     QCOMPARE(box->textCursor().position(), 0);
                     const QString before = box->toPlainText();
                     box->setFocus();
                     QTest::keyClicks(box, QStringLiteral("xyz"));
                     QTest::keyClick(box, Qt::Key_Delete);
                     QTest::keyClick(box, Qt::Key_Return);
                     QCOMPARE(box->toPlainText(), before);
                     QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
                     QCOMPARE(box->textCursor().selectedText().size(), before.size());
                     box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
                     QVERIFY(box->verticalScrollBar()->value() > 0);
                 });
    // A new opening starts at the top again.
    inHelpWindow([&] { help::showHelp(caller, help::Topic::Overview); },
                 [&](QDialog *guida) {
                     auto *box = guida->findChild<QPlainTextEdit *>(QStringLiteral("txtGuida"));
                     QCOMPARE(box->verticalScrollBar()->value(), 0);
                     QVERIFY(!box->textCursor().hasSelection());
                 });
}

void TestHelp::pdfPictureAndLinkOpenTheManual_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("picture") << "imgPDF";
    QTest::newRow("link") << "lnkWeb";
}

void TestHelp::pdfPictureAndLinkOpenTheManual()
{
    QFETCH(QString, control);
    QWidget *caller = ui::primaryWindow(QStringLiteral("TfrmFleet"));
    ui::showPrimary(caller);
    const QString manual = QStringLiteral(CARVELLO_PROGRAM_FOLDER) + QStringLiteral("/Guida.pdf");
    inHelpWindow([&] { help::showHelp(caller, help::Topic::Fleet); },
                 [&](QDialog *guida) {
                     auto *link = guida->findChild<QLabel *>(QStringLiteral("lnkWeb"));
                     QCOMPARE(link->text(), QStringLiteral("Visualizza guida in formato PDF"));
                     QVERIFY(link->font().underline());
                     QWidget *target = guida->findChild<QWidget *>(control);
                     QVERIFY(target);
                     QCOMPARE(target->cursor().shape(), Qt::PointingHandCursor);
                     QTest::mouseClick(target, Qt::LeftButton);
                     QCOMPARE(m_dialogs->opened, QStringList(QLatin1Char('"') + manual + QLatin1Char('"')));
                     // Nothing is reported, and the window stays open.
                     QVERIFY(m_dialogs->messages.isEmpty());
                     QVERIFY(guida->isVisible());
                 });
    QVERIFY(QFile::exists(manual));
}

QTEST_MAIN(TestHelp)
#include "test_help.moc"
