#include "agreements/agreementeditor.h"
#include "app/startup.h"
#include "clients/clienteditor.h"
#include "clients/clientsearch.h"
#include "fleet/fleeteditor.h"
#include "records/layout.h"
#include "report/reportlayout.h"
#include "report/reportoutput.h"
#include "search/listreport.h"
#include "search/resultmodel.h"
#include "search/searchwindow.h"
#include "support/pdfwords.h"
#include "support/testsupport.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The search windows through the editors that open them: what they list, in
// which order, how Find walks the list, and what a chosen line hands back.

namespace {

const QString kCannotOpen = QStringLiteral("Unable to open the database.\n\r\n\rMake sure you have administration "
                                           "privileges for the app installation folder.");

using Values = std::map<std::string, QByteArray>;

QByteArray recordBytes(const records::Layout &layout, const QList<Values> &list)
{
    QByteArray bytes;
    for (const Values &v : list)
        bytes += testing::encodeRecord(layout, v);
    return bytes;
}

const QList<Values> kClients = {
    {{"Name", "Rossi Mario"}, {"City", "Bergamo"}, {"MobilePhone", "333 1"}, {"Issues", "Unpaid bill"}},
    {{"Name", "bianchi Anna"}, {"City", "Heidelberg"}, {"Vehicles", "SUV"}},
    {{"Name", "San Jose Club"}, {"City", "San Jose"}, {"Issues", "   "}},
    {{"Name", "Verdi Luca"}, {"City", "Via Roma"}, {"Notes", "first"}, {"Issues", "Scratch on door"}},
    {{"Name", "Verdi Luca"}, {"City", "Via Roma"}, {"Notes", "second"}},
};

QStringList texts(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *t : list)
        out.append(QString::fromUtf8(t));
    return out;
}

QLineEdit *edit(QWidget *w, const char *name) { return w->findChild<QLineEdit *>(QString::fromLatin1(name)); }
QPushButton *push(QWidget *w, const char *name) { return w->findChild<QPushButton *>(QString::fromLatin1(name)); }
QString text(QWidget *w, const char *name) { return w->findChild<QLabel *>(QString::fromLatin1(name))->text(); }

QStringList listed(search::TfrmSearch *window)
{
    QStringList out;
    for (int row = 0; row < window->results()->rowCount(); ++row)
        out.append(window->results()->lineText(row).trimmed());
    return out;
}

int selectedRow(search::TfrmSearch *window)
{
    const QModelIndex current = window->list()->currentIndex();
    return current.isValid() && window->list()->selectionModel()->isSelected(current) ? current.row() : -1;
}

void select(search::TfrmSearch *window, int row) { window->list()->setCurrentIndex(window->results()->index(row)); }

} // namespace

class TestSearchWindow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void criteriaListAndCount_data();
    void criteriaListAndCount();
    void windowLooksAsDesigned();
    void missingFileGivesAnEmptyList();
    void unreadableFileKeepsTheCriteria();
    void longSearchShowsProgressAndStops();
    void findWalksTheList();
    void findOnAnEmptyList();
    void enterInTheFindFieldOnlyMovesTheFocus();
    void keyboardAloneSearchesFindsAndRetrieves();
    void doubleClickOnALineRetrievesIt();
    void chosenLineLoadsTheLastEqualRecord();
    void enterOnALineRetrieves();
    void doubleClickWithoutSelectionClosesQuietly();
    void pendingIssuesListsOnlyOpenMatters();
    void vehicleSearchLoadsTheVehicleAndItsPhoto();
    void importCopiesOnlyTheDriverOrVehicleFields();
    void agreementSearchReadsTheYearOpenInTheEditor();
    void agreementSearchNeverCreatesTheDataFolder();
    void listReportPrintsWholeLinesOverPages();
    void printButtonPrintsTheListAndStays();

private:
    // Opens the editor of `make`, clicks `button` and runs `steps` while the
    // search window is shown.
    template <typename Editor>
    void withSearch(Editor *editor, const char *button, const std::function<void(search::TfrmSearch *)> &steps);

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
};

void TestSearchWindow::initTestCase() { app::prepareApplication(*qApp); }

void TestSearchWindow::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    QDir().mkpath(m_data->dataFolder());
}

void TestSearchWindow::cleanup()
{
    delete m_dialogs;
    delete m_data;
}

template <typename Editor>
void TestSearchWindow::withSearch(Editor *editor, const char *button,
                                  const std::function<void(search::TfrmSearch *)> &steps)
{
    editor->setGeometry(0, 0, 1366, 768);
    editor->show();
    bool ran = false;
    m_dialogs->modalHandlers.enqueue([&](QDialog *dialog) {
        auto *window = qobject_cast<search::TfrmSearch *>(dialog);
        if (window) {
            ran = true;
            steps(window);
        }
        return dialog->result();
    });
    editor->template findChild<ui::PictureButton *>(QString::fromLatin1(button))->click();
    QVERIFY(ran);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!editor->template findChild<search::TfrmSearch *>());
}

void TestSearchWindow::criteriaListAndCount_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("lines"); // first 20 characters, in list order
    QTest::newRow("nothing filled lists all, sorted")
        << ""
        << ""
        << "0" << texts({"bianchi Anna", "Rossi Mario", "San Jose Club", "Verdi Luca", "Verdi Luca"});
    QTest::newRow("berg") << ""
                          << "berg"
                          << "1" << texts({"bianchi Anna", "Rossi Mario"});
    QTest::newRow("jose san finds nothing") << ""
                                            << "jose san"
                                            << "1" << QStringList{};
    QTest::newRow("blanks count as empty") << "   "
                                           << "san jose"
                                           << "1" << texts({"San Jose Club"});
    QTest::newRow("both must occur") << "verdi"
                                     << "roma"
                                     << "2" << texts({"Verdi Luca", "Verdi Luca"});
    QTest::newRow("one of two occurs") << "rossi"
                                       << "roma"
                                       << "2" << QStringList{};
}

void TestSearchWindow::criteriaListAndCount()
{
    QFETCH(QString, name);
    QFETCH(QString, city);
    QFETCH(QString, count);
    QFETCH(QStringList, lines);
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")), recordBytes(records::clientLayout(), kClients));
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        QCOMPARE(w->objectName(), QStringLiteral("TfrmFindClients"));
        QCOMPARE(text(w, "lblMemory"), QStringLiteral("clients"));
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("panAvvio"))->isVisible());
        QVERIFY(!w->findChild<QWidget *>(QStringLiteral("panContainer"))->isVisible());
        edit(w, "txtName")->setText(name);
        edit(w, "txtCity")->setText(city);
        QTest::mousePress(push(w, "btnCerca"), Qt::LeftButton);
        QVERIFY(w->findChild<QLabel *>(QStringLiteral("lblAttendere"))->isVisible());
        QTest::mouseRelease(push(w, "btnCerca"), Qt::LeftButton);
        QCOMPARE(text(w, "lblConta"), count);
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("panContainer"))->isVisible());
        QVERIFY(!w->findChild<QWidget *>(QStringLiteral("panAvvio"))->isVisible());
        QCOMPARE(text(w, "lblTrovate"), QStringLiteral("Records found:  %1").arg(lines.size()));
        QStringList shown;
        for (const QString &line : listed(w))
            shown.append(line.left(30).trimmed());
        QCOMPARE(shown, lines);
        QCOMPARE(w->focusWidget(), edit(w, "txtTrova"));
        push(w, "btnChiudi")->click();
    });
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(editor.positionLabel()->text(), QString());
}

void TestSearchWindow::windowLooksAsDesigned()
{
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        QCOMPARE(w->windowTitle(), QStringLiteral(" Find clients in database"));
        QCOMPARE(w->size(), QSize(862, 560));
        QCOMPARE(w->findChild<QWidget *>(QStringLiteral("panAvvio"))->size(), QSize(833, 529));
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(text(w, "lblConta"), QStringLiteral("0"));
        QCOMPARE(text(w, "lblAttendere"), QStringLiteral("Searching for records. Wait..."));
        QVERIFY(!w->findChild<QLabel *>(QStringLiteral("lblAttendere"))->isVisible());
        QCOMPARE(push(w, "btnAnnulla")->text(), QStringLiteral("Close"));
        QCOMPARE(push(w, "btnCerca")->text(), QStringLiteral("Search"));
        QCOMPARE(push(w, "btnTrova")->text(), QStringLiteral("Find"));
        QCOMPARE(push(w, "btnChiudi")->text(), QStringLiteral("Close"));
        QCOMPARE(push(w, "btnStampa")->text(), QStringLiteral("Print"));
        QCOMPARE(text(w, "lblTrovate"), QStringLiteral("Records found:  0"));
        QCOMPARE(text(w, "lblRigo03"), QStringLiteral("Double-click a record on the list to retrieve its data."));
        // Ten criteria in the Enter chain, each with its caption and frame.
        const QStringList chain = texts({"txtName", "txtTaxNumber", "txtStreet", "txtCity", "txtLicense", "txtVehicles",
                                         "txtWork", "txtIssues", "txtStatus", "txtNotes"});
        QCOMPARE(w->focusWidget(), edit(w, "txtName"));
        for (int k = 0; k < chain.size(); ++k) {
            QLineEdit *field = w->findChild<QLineEdit *>(chain[k]);
            QVERIFY2(field, qPrintable(chain[k]));
            QCOMPARE(w->focusWidget(), field);
            QTest::keyClick(field, Qt::Key_Return);
        }
        QCOMPARE(w->focusWidget(), edit(w, "txtName"));
        for (int k = 1; k <= 10; ++k)
            QVERIFY(w->findChild<QWidget *>(QStringLiteral("effCampo%1").arg(k, 2, 10, QLatin1Char('0'))));
        const QFont lines = w->list()->font();
        QCOMPARE(lines.pointSize(), 12);
        QCOMPARE(w->list()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(w->list()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        push(w, "btnAnnulla")->click();
    });
}

void TestSearchWindow::missingFileGivesAnEmptyList()
{
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        push(w, "btnCerca")->click();
        QCOMPARE(text(w, "lblTrovate"), QStringLiteral("Records found:  0"));
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("panContainer"))->isVisible());
        push(w, "btnChiudi")->click();
    });
    QVERIFY(QFileInfo::exists(m_data->file(QStringLiteral("Clients.Pro"))));
    QCOMPARE(QFileInfo(m_data->file(QStringLiteral("Clients.Pro"))).size(), 0);
}

void TestSearchWindow::unreadableFileKeepsTheCriteria()
{
    QDir().mkpath(m_data->file(QStringLiteral("Clients.Pro")));
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        edit(w, "txtName")->setText(QStringLiteral("rossi"));
        push(w, "btnCerca")->click();
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Error);
        QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::OkCancel);
        QCOMPARE(m_dialogs->lastText(), kCannotOpen);
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("panAvvio"))->isVisible());
        QVERIFY(!w->findChild<QLabel *>(QStringLiteral("lblAttendere"))->isVisible());
        QCOMPARE(edit(w, "txtName")->text(), QStringLiteral("rossi"));
        // A new search may follow.
        QVERIFY(QDir(m_data->file(QStringLiteral("Clients.Pro"))).removeRecursively());
        push(w, "btnCerca")->click();
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("panContainer"))->isVisible());
        push(w, "btnChiudi")->click();
    });
}

void TestSearchWindow::longSearchShowsProgressAndStops()
{
    QList<Values> many;
    for (int k = 0; k < 3000; ++k)
        many.append(Values{{"Name", QByteArray("Client ") + QByteArray::number(k)}});
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")), recordBytes(records::clientLayout(), many));
    search::TfrmSearch::setProgressAfter(0);
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        QPushButton *stop = push(w, "btnInterrompi");
        QVERIFY(stop && !stop->isVisible());
        bool progressShown = false;
        QTimer::singleShot(0, w, [&] {
            progressShown = stop->isVisible() && text(w, "lblAttendere").contains(QLatin1Char('%'));
            stop->click();
        });
        push(w, "btnCerca")->click();
        QVERIFY(progressShown);
        const int found = w->results()->rowCount();
        QVERIFY2(found > 0 && found < 3000, qPrintable(QString::number(found)));
        QCOMPARE(text(w, "lblTrovate"), QStringLiteral("Records found:  %1").arg(found));
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("panContainer"))->isVisible());
        push(w, "btnChiudi")->click();
    });
    search::TfrmSearch::setProgressAfter(500);
}

void TestSearchWindow::findWalksTheList()
{
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")), recordBytes(records::clientLayout(), kClients));
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        push(w, "btnCerca")->click();
        // bianchi, Rossi, San Jose, Verdi, Verdi.
        QLineEdit *find = edit(w, "txtTrova");
        find->setText(QStringLiteral("VERDI"));
        push(w, "btnTrova")->click();
        QCOMPARE(selectedRow(w), 3);
        push(w, "btnTrova")->click(); // find next
        QCOMPARE(selectedRow(w), 4);
        push(w, "btnTrova")->click(); // wraps to the top and on
        QCOMPARE(selectedRow(w), 3);
        find->setText(QStringLiteral("a")); // a new key starts from the top
        push(w, "btnTrova")->click();
        QCOMPARE(selectedRow(w), 0);
        find->setText(QStringLiteral("mario"));
        push(w, "btnTrova")->click();
        QCOMPARE(selectedRow(w), 1);
        push(w, "btnTrova")->click(); // only the selected line matches: it stays
        QCOMPARE(selectedRow(w), 1);
        find->setText(QStringLiteral("nowhere"));
        push(w, "btnTrova")->click();
        QCOMPARE(selectedRow(w), 1);
        QCOMPARE(search::TfrmSearch::rememberedFind(QStringLiteral("TfrmFindClients")), QStringLiteral("nowhere"));
        find->clear(); // an empty key matches nothing
        push(w, "btnTrova")->click();
        QCOMPARE(selectedRow(w), 1);
        QVERIFY(m_dialogs->messages.isEmpty());
        push(w, "btnChiudi")->click();
    });
    // Every showing starts with no remembered text.
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        QCOMPARE(search::TfrmSearch::rememberedFind(QStringLiteral("TfrmFindClients")), QString());
        push(w, "btnAnnulla")->click();
    });
}

void TestSearchWindow::findOnAnEmptyList()
{
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        push(w, "btnCerca")->click();
        edit(w, "txtTrova")->setText(QStringLiteral("x"));
        push(w, "btnTrova")->click();
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Plain);
        QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::Ok);
        QCOMPARE(m_dialogs->lastText(), QStringLiteral("Empty list!"));
        push(w, "btnChiudi")->click();
    });
}

void TestSearchWindow::enterInTheFindFieldOnlyMovesTheFocus()
{
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")), recordBytes(records::clientLayout(), kClients));
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        push(w, "btnCerca")->click();
        QTest::keyClicks(edit(w, "txtTrova"), QStringLiteral("verdi"));
        QTest::keyClick(edit(w, "txtTrova"), Qt::Key_Return);
        QCOMPARE(w->focusWidget(), push(w, "btnTrova"));
        QCOMPARE(selectedRow(w), -1);
        QCOMPARE(edit(w, "txtTrova")->text(), QStringLiteral("verdi"));
        push(w, "btnChiudi")->click();
    });
}

void TestSearchWindow::keyboardAloneSearchesFindsAndRetrieves()
{
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")), recordBytes(records::clientLayout(), kClients));
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        w->activateWindow();
        QTest::keyClicks(edit(w, "txtName"), QStringLiteral("luca"));
        // Tab leaves the last criterion for the buttons: Close, then Search.
        edit(w, "txtNotes")->setFocus();
        QTest::keyClick(edit(w, "txtNotes"), Qt::Key_Tab);
        QCOMPARE(w->focusWidget(), push(w, "btnAnnulla"));
        QTest::keyClick(push(w, "btnAnnulla"), Qt::Key_Tab);
        QCOMPARE(w->focusWidget(), push(w, "btnCerca"));
        QTest::keyClick(push(w, "btnCerca"), Qt::Key_Space);
        QCOMPARE(w->results()->rowCount(), 2);
        QCOMPARE(w->focusWidget(), edit(w, "txtTrova"));
        QTest::keyClicks(edit(w, "txtTrova"), QStringLiteral("verdi"));
        QTest::keyClick(edit(w, "txtTrova"), Qt::Key_Return);
        QTest::keyClick(push(w, "btnTrova"), Qt::Key_Space);
        QCOMPARE(selectedRow(w), 0);
        QTest::keyClick(push(w, "btnTrova"), Qt::Key_Space);
        QCOMPARE(selectedRow(w), 1);
        QTest::keyClick(push(w, "btnTrova"), Qt::Key_Tab);
        QCOMPARE(w->focusWidget(), static_cast<QWidget *>(w->list()));
        QTest::keyClick(w->list(), Qt::Key_Return);
    });
    QCOMPARE(editor.field("Notes")->text(), QStringLiteral("second"));
}

void TestSearchWindow::doubleClickOnALineRetrievesIt()
{
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")), recordBytes(records::clientLayout(), kClients));
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        push(w, "btnCerca")->click();
        const QRect second = w->list()->visualRect(w->results()->index(1));
        QTest::mouseClick(w->list()->viewport(), Qt::LeftButton, {}, second.center());
        QTest::mouseDClick(w->list()->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(w->result(), int(QDialog::Accepted));
    });
    QCOMPARE(editor.field("Name")->text(), QStringLiteral("Rossi Mario"));
    QCOMPARE(editor.positionLabel()->text(), QStringLiteral("1"));
}

void TestSearchWindow::chosenLineLoadsTheLastEqualRecord()
{
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")), recordBytes(records::clientLayout(), kClients));
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        edit(w, "txtName")->setText(QStringLiteral("verdi"));
        push(w, "btnCerca")->click();
        select(w, 0);
        w->lstRecordsDblClick();
    });
    QCOMPARE(editor.field("Notes")->text(), QStringLiteral("second"));
    QCOMPARE(editor.positionLabel()->text(), QStringLiteral("5"));
    QCOMPARE(editor.field("Name")->text(), QStringLiteral("Verdi Luca"));
    // The next Save overwrites that record.
    editor.field("Notes")->setText(QStringLiteral("changed"));
    editor.findChild<ui::PictureButton *>(QStringLiteral("cmdSave"))->click();
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Changes to record saved successfully."));
}

void TestSearchWindow::enterOnALineRetrieves()
{
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")), recordBytes(records::clientLayout(), kClients));
    clients::TfrmClients editor;
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        edit(w, "txtCity")->setText(QStringLiteral("heidel"));
        push(w, "btnCerca")->click();
        w->list()->setFocus();
        select(w, 0);
        QTest::keyClick(w->list(), Qt::Key_Return);
        QCOMPARE(w->result(), int(QDialog::Accepted));
    });
    QCOMPARE(editor.field("Name")->text(), QStringLiteral("bianchi Anna"));
    QCOMPARE(editor.positionLabel()->text(), QStringLiteral("2"));
}

void TestSearchWindow::doubleClickWithoutSelectionClosesQuietly()
{
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")), recordBytes(records::clientLayout(), kClients));
    clients::TfrmClients editor;
    editor.setGeometry(0, 0, 1366, 768);
    editor.show();
    editor.field("Name")->setText(QStringLiteral("typed"));
    withSearch(&editor, "cmdFind", [&](search::TfrmSearch *w) {
        push(w, "btnCerca")->click();
        // A double-click in the list with no line selected.
        QTest::mouseDClick(w->list()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                           QPoint(5, w->list()->viewport()->height() - 5));
        QCOMPARE(w->result(), int(QDialog::Rejected));
    });
    QCOMPARE(editor.field("Name")->text(), QStringLiteral("typed"));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestSearchWindow::pendingIssuesListsOnlyOpenMatters()
{
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")), recordBytes(records::clientLayout(), kClients));
    clients::TfrmClients editor;
    withSearch(&editor, "cmdDefaulting", [&](search::TfrmSearch *w) {
        QCOMPARE(w->objectName(), QStringLiteral("TfrmListIssues"));
        QCOMPARE(w->windowTitle(), QStringLiteral(" Pending issues with clients"));
        QVERIFY(!w->findChild<QWidget *>(QStringLiteral("panAvvio")));
        QVERIFY(!w->findChild<QLabel *>(QStringLiteral("lblTrovate")));
        QVERIFY(w->findChild<QWidget *>(QStringLiteral("panContainer"))->isVisible());
        QCOMPARE(w->focusWidget(), edit(w, "txtTrova"));
        const QStringList lines = listed(w);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("Rossi Mario                     Cell: 333 1                 DL: "
                                          "                      Issue: Unpaid bill"));
        QVERIFY(lines[1].startsWith(QStringLiteral("Verdi Luca")));
        QVERIFY(lines[1].endsWith(QStringLiteral("Issue: Scratch on door")));
        select(w, 1);
        w->lstRecordsDblClick();
    });
    QCOMPARE(editor.field("Notes")->text(), QStringLiteral("first"));
    QCOMPARE(editor.positionLabel()->text(), QStringLiteral("4"));
}

void TestSearchWindow::vehicleSearchLoadsTheVehicleAndItsPhoto()
{
    testing::writeFile(
        m_data->file(QStringLiteral("Vehicle_Fleet.pro")),
        recordBytes(records::vehicleLayout(), {{{"Type", "Van"}, {"Make", "Fiat"}, {"Model", "Ducato"}},
                                               {{"Type", "Car"}, {"Make", "Fiat"}, {"Model", "Panda"}}}));
    fleet::TfrmFleet editor;
    withSearch(&editor, "cmdTrova", [&](search::TfrmSearch *w) {
        QCOMPARE(w->objectName(), QStringLiteral("TfrmFindVehicle"));
        QCOMPARE(text(w, "lblMemory"), QStringLiteral("fleet"));
        QCOMPARE(w->focusWidget(), edit(w, "txtType"));
        edit(w, "txtModel")->setText(QStringLiteral("panda"));
        push(w, "btnCerca")->click();
        QCOMPARE(listed(w), QStringList{QStringLiteral("Car                       Fiat Panda                    Plate:"
                                                       "               Year:       Color:"
                                                       "                     Odo:                 Date:")});
        select(w, 0);
        w->lstRecordsDblClick();
    });
    QCOMPARE(editor.field("Model")->text(), QStringLiteral("Panda"));
    QCOMPARE(editor.positionLabel()->text(), QStringLiteral("2"));
    QVERIFY(editor.photo().isPlaceholder());
}

void TestSearchWindow::importCopiesOnlyTheDriverOrVehicleFields()
{
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")),
                       recordBytes(records::clientLayout(), {{{"Name", " Rossi Mario "},
                                                              {"MobilePhone", "333 1"},
                                                              {"Email", "mario@x.it"},
                                                              {"Authority", "Roma"},
                                                              {"License", ""}}}));
    testing::writeFile(m_data->file(QStringLiteral("Vehicle_Fleet.pro")),
                       recordBytes(records::vehicleLayout(), {{{"Type", "Car"}, {"Make", "Fiat"}, {"Daily", "45"}}}));
    agreements::TfrmRent_Receipts editor;
    editor.findChild<QLabel *>(QStringLiteral("lblFile"))->setText(m_data->file(QStringLiteral("2026.rnt")));
    editor.setGeometry(0, 0, 1366, 768);
    editor.show();
    editor.field("License")->setText(QStringLiteral("old licence"));
    editor.field("Total")->setText(QStringLiteral("EUR 99"));
    editor.field("Model")->setText(QStringLiteral("old model"));
    editor.positionLabel()->setText(QStringLiteral("3"));
    const QString number = editor.field("Number")->text();
    withSearch(&editor, "impDriver", [&](search::TfrmSearch *w) {
        QCOMPARE(w->objectName(), QStringLiteral("TfrmFindClients"));
        QCOMPARE(text(w, "lblMemory"), QStringLiteral("rent_receipts"));
        push(w, "btnCerca")->click();
        select(w, 0);
        w->lstRecordsDblClick();
    });
    QCOMPARE(editor.field("Name")->text(), QStringLiteral("Rossi Mario"));
    QCOMPARE(editor.field("MobilePhone")->text(), QStringLiteral("333 1"));
    QCOMPARE(editor.field("Authority")->text(), QStringLiteral("Roma"));
    QCOMPARE(editor.field("License")->text(), QString()); // emptied: the client has none
    QCOMPARE(editor.field("Total")->text(), QStringLiteral("EUR 99"));
    QCOMPARE(editor.positionLabel()->text(), QStringLiteral("3"));
    QCOMPARE(editor.field("Number")->text(), number);

    withSearch(&editor, "impVehicle", [&](search::TfrmSearch *w) {
        QCOMPARE(w->objectName(), QStringLiteral("TfrmFindVehicle"));
        push(w, "btnCerca")->click();
        select(w, 0);
        w->lstRecordsDblClick();
    });
    QCOMPARE(editor.field("Make")->text(), QStringLiteral("Fiat"));
    QCOMPARE(editor.field("Model")->text(), QString());
    QCOMPARE(editor.field("Daily")->text(), QStringLiteral("45"));
    QCOMPARE(editor.field("Total")->text(), QStringLiteral("EUR 99"));
    QCOMPARE(editor.field("Name")->text(), QStringLiteral("Rossi Mario"));
    QCOMPARE(editor.positionLabel()->text(), QStringLiteral("3"));
}

void TestSearchWindow::agreementSearchReadsTheYearOpenInTheEditor()
{
    QList<Values> stored;
    for (const char *number : {"9", "10", "112"})
        stored.append(
            Values{{"Company01", "Rossi Rent"}, {"Number", number}, {"Date", "02/03/2026"}, {"Name", "Bianchi"}});
    stored.last()["Company01"] = "Stored header";
    testing::writeFile(m_data->file(QStringLiteral("2026.rnt")), recordBytes(records::agreementLayout(), stored));
    testing::writeFile(m_data->file(QStringLiteral("2025.rnt")),
                       recordBytes(records::agreementLayout(), {{{"Number", "1"}, {"Name", "Other year"}}}));
    agreements::TfrmRent_Receipts editor;
    const QString year = m_data->file(QStringLiteral("2026.rnt"));
    editor.findChild<QLabel *>(QStringLiteral("lblFile"))->setText(year);
    withSearch(&editor, "cmdTrova", [&](search::TfrmSearch *w) {
        QCOMPARE(w->objectName(), QStringLiteral("TfrmFindService"));
        QCOMPARE(w->focusWidget(), edit(w, "txtNumber"));
        edit(w, "txtNumber")->setText(QStringLiteral("1"));
        push(w, "btnCerca")->click();
        QStringList numbers;
        for (const QString &line : listed(w))
            numbers.append(line.mid(4, 14).trimmed());
        QCOMPARE(numbers, (texts({"10", "112"}))); // sorted as text
        select(w, 1);
        w->lstRecordsDblClick();
    });
    QCOMPARE(editor.field("Number")->text(), QStringLiteral("112"));
    QCOMPARE(editor.field("Company01")->text(), QStringLiteral("Stored header"));
    QCOMPARE(editor.positionLabel()->text(), QStringLiteral("3"));
    QCOMPARE(editor.findChild<QLabel *>(QStringLiteral("lblFile"))->text(), year);
}

void TestSearchWindow::agreementSearchNeverCreatesTheDataFolder()
{
    agreements::TfrmRent_Receipts editor;
    const QString year = m_data->root() + QStringLiteral("/gone/Drivora/2026.rnt");
    editor.findChild<QLabel *>(QStringLiteral("lblFile"))->setText(year);
    withSearch(&editor, "cmdTrova", [&](search::TfrmSearch *w) {
        push(w, "btnCerca")->click();
        QCOMPARE(m_dialogs->lastText(), kCannotOpen);
        push(w, "btnAnnulla")->click();
    });
    QVERIFY(!QFileInfo::exists(m_data->root() + QStringLiteral("/gone")));
}

void TestSearchWindow::listReportPrintsWholeLinesOverPages()
{
    QStringList lines;
    for (int k = 1; k <= 150; ++k)
        lines.append(QStringLiteral("Line %1 ").arg(k, 3, 10, QLatin1Char('0')) + QString(200, QLatin1Char('x')));
    const report::Report document =
        search::listReport(QStringLiteral("Clients in database"), lines, QDateTime(QDate(2026, 3, 2), QTime(9, 5)));
    QCOMPARE(document.page(0).orientation, report::Orientation::Landscape);
    const QString pdf = m_data->root() + QStringLiteral("/list.pdf");
    report::exportPdf(report::prepare(document), pdf);
    // A copy for the developer who wants to look at the pages.
    if (const QString keep = qEnvironmentVariable("CARVELLO_TEST_OUTPUT"); !keep.isEmpty()) {
        QDir().mkpath(keep);
        QFile::remove(keep + QStringLiteral("/list_report.pdf"));
        QFile::copy(pdf, keep + QStringLiteral("/list_report.pdf"));
    }
    const testing::PdfText text = testing::readPdfText(pdf);
    QVERIFY(text.pages.size() >= 3);
    QVERIFY(std::abs(text.pages[0].width() - 297) < 0.5 && std::abs(text.pages[0].height() - 210) < 0.5);
    // The title on the first page only; every line once, whole, in order.
    int titles = 0;
    QStringList found;
    for (const testing::PdfWord &word : text.words) {
        if (word.text == QLatin1String("Clients"))
            ++titles;
        if (word.text == QLatin1String("Line"))
            found.append(QString());
    }
    QCOMPARE(titles, 1);
    QCOMPARE(found.size(), 150);
    // The closing bar right after the last line, on the last page.
    const int last = static_cast<int>(text.pages.size()) - 1;
    const testing::PdfWord printed = text.find(last, QStringLiteral("Printed"));
    const testing::PdfWord lastLine = text.find(last, QStringLiteral("150"));
    QVERIFY(!printed.box.isNull());
    QVERIFY(!lastLine.box.isNull());
    QVERIFY(printed.box.top() > lastLine.box.top());
    QVERIFY(printed.box.top() - lastLine.box.bottom() < 12);
    QVERIFY(text.textIn(last, printed.box.adjusted(-120, -1, 120, 1)).contains(QStringLiteral("hrs")));
    // Nothing wraps: no line continues below itself.
    for (const testing::PdfWord &word : text.words)
        QVERIFY(word.box.right() <= 297 - 10 + 0.5);
}

void TestSearchWindow::printButtonPrintsTheListAndStays()
{
    testing::writeFile(m_data->file(QStringLiteral("Clients.Pro")), recordBytes(records::clientLayout(), kClients));
    const QString pdf = m_data->root() + QStringLiteral("/printed.pdf");
    m_dialogs->printFile = pdf;
    clients::TfrmClients editor;
    withSearch(&editor, "cmdDefaulting", [&](search::TfrmSearch *w) {
        m_dialogs->printerChoices.enqueue(false); // cancelled: nothing printed
        push(w, "btnStampa")->click();
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(w->isVisible());
        m_dialogs->printerChoices.enqueue(true);
        push(w, "btnStampa")->click();
        QVERIFY(w->isVisible());
        push(w, "btnChiudi")->click();
    });
    QCOMPARE(m_dialogs->printDialogs, 2);
    QVERIFY(m_dialogs->messages.isEmpty());
    const testing::PdfText text = testing::readPdfText(pdf);
    QCOMPARE(text.pages.size(), 1);
    QVERIFY(text.textIn(0, QRectF(10, 10, 277, 12)).contains(QStringLiteral("Pending issues with clients")));
    QVERIFY(!text.find(0, QStringLiteral("Scratch")).box.isNull());
    QVERIFY(!text.find(0, QStringLiteral("Unpaid")).box.isNull());
    QVERIFY(text.find(0, QStringLiteral("Rossi")).box.top() < text.find(0, QStringLiteral("Verdi")).box.top());
}

QTEST_MAIN(TestSearchWindow)
#include "test_searchwindow.moc"
