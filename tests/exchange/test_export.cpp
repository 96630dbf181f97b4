#include "agreements/agreementeditor.h"
#include "app/startup.h"
#include "clients/clienteditor.h"
#include "exchange/exportwindow.h"
#include "fleet/fleeteditor.h"
#include "records/osfile.h"
#include "records/recordfiles.h"
#include "support/exportfile.h"
#include "support/testsupport.h"
#include "support/windowcontrols.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/qtext.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using exchange::ExportWindow;

namespace {

struct Database {
    const char *className;
    const records::RecordFileDescriptor &(*file)();
    help::Topic topic;
};

// clang-format off
const Database kDatabases[] = {
    {"TfrmExpClients", &records::clientFile, help::Topic::Export},
    {"TfrmExpFleet", &records::vehicleFile, help::Topic::ExportFleet},
    {"TfrmExpServices", &records::agreementFile, help::Topic::Export},
};
// clang-format on

const QString kAskExport =
    QStringLiteral("Exporting the database to Excel can take a while depending on the number of records.\r\n\r\n"
                   "Do you confirm you want to export the data now?");
const QString kAskOpen =
    QStringLiteral("Data export completed successfully.\r\n\r\nDo you want to open the Excel file now?");
const QString kFailed =
    QStringLiteral("Unable to complete data export.\n\r\n\rMake sure that the Excel file is not already open.");

using Row = std::map<std::string, QByteArray>;

QByteArray latin(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

class TestExport final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void windowAndGrid_data();
    void windowAndGrid();
    void hints();
    void fillsTheGridFromTheFile_data();
    void fillsTheGridFromTheFile();
    void exportWritesTheGrid_data();
    void exportWritesTheGrid();
    void emptyDatabaseWritesTheEmptyRows();
    void typingChangesTheGridOnly();
    void readOnlyColumnsRefuseTyping();
    void answeringNo_data();
    void answeringNo();
    void exportingTwiceReplacesTheFile();
    void failedExportKeepsTheOldFileAndTheWindow_data();
    void failedExportKeepsTheOldFileAndTheWindow();
    void keyboard();
    void helpButton_data();
    void helpButton();
    void editorsOpenTheirExport_data();
    void editorsOpenTheirExport();

private:
    const Database &database(int index) const { return kDatabases[index]; }
    // The record file of database `index` (the agreements of 2025 for the
    // agreement export), holding `rows`.
    std::filesystem::path writeDatabase(int index, const QList<Row> &rows) const;
    std::unique_ptr<ExportWindow> open(int index) const;
    QByteArray exportFile(int index) const;
    void answer(std::initializer_list<ui::Answer> answers) const
    {
        for (ui::Answer a : answers)
            m_dialogs->answers.enqueue(a);
    }
    // The file expected for `rows`: the export columns' cells in order,
    // trimmed, with markup characters escaped.
    QByteArray expected(int index, const QList<Row> &rows) const;

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
};

void TestExport::initTestCase() { app::prepareApplication(*qApp); }

void TestExport::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
}

void TestExport::cleanup()
{
    delete m_dialogs;
    m_dialogs = nullptr;
    delete m_data;
    m_data = nullptr;
}

std::filesystem::path TestExport::writeDatabase(int index, const QList<Row> &rows) const
{
    const records::RecordFileDescriptor &file = database(index).file();
    const std::filesystem::path path = file.inDataFolder() ? file.path() : records::agreementYearFile("2025");
    QByteArray bytes;
    for (const Row &row : rows)
        bytes += testing::encodeRecord(file.layout, row, ' ');
    testing::writeFile(ui::toQtPath(path), bytes);
    return path;
}

std::unique_ptr<ExportWindow> TestExport::open(int index) const
{
    const Database &d = database(index);
    const records::RecordFileDescriptor &file = d.file();
    auto window = std::make_unique<ExportWindow>(
        ExportWindow::Design{QString::fromLatin1(d.className), file, d.topic}, nullptr,
        file.inDataFolder() ? std::filesystem::path() : records::agreementYearFile("2025"));
    window->show();
    return window;
}

QByteArray TestExport::exportFile(int index) const
{
    return testing::readFile(m_data->file(QString::fromUtf8(latin(database(index).file().exportTable.fileName))));
}

QByteArray TestExport::expected(int index, const QList<Row> &rows) const
{
    const records::ExportTable &table = database(index).file().exportTable;
    QList<std::pair<QByteArray, int>> headers;
    for (const records::ExportColumn &c : table.columns)
        headers.append({latin(c.header), c.fileWidth});
    QList<QList<QByteArray>> cells;
    for (const Row &row : rows) {
        QList<QByteArray> line;
        for (const records::ExportColumn &c : table.columns) {
            const auto it = row.find(std::string(c.field));
            QByteArray v = it == row.end() ? QByteArray() : it->second.trimmed();
            v.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
            line.append(v);
        }
        cells.append(line);
    }
    return testing::expectedSpreadsheet(latin(table.worksheet), headers, cells);
}

void TestExport::windowAndGrid_data()
{
    QTest::addColumn<int>("db");
    QTest::addColumn<QString>("firstHeader");
    QTest::addColumn<int>("firstWidth");
    QTest::addColumn<QString>("lastHeader");
    QTest::newRow("clients") << 0 << QStringLiteral("Client") << 250 << QStringLiteral("Notes");
    QTest::newRow("fleet") << 1 << QStringLiteral("Type of vehicle") << 200 << QStringLiteral("Notes");
    QTest::newRow("agreements") << 2 << QStringLiteral("Rental Agreement No.") << 170
                                << QStringLiteral("Return location");
}

void TestExport::windowAndGrid()
{
    QFETCH(int, db);
    QFETCH(QString, firstHeader);
    QFETCH(int, firstWidth);
    QFETCH(QString, lastHeader);
    auto w = open(db);
    QCOMPARE(w->objectName(), QString::fromLatin1(database(db).className));
    QCOMPARE(w->windowTitle(), QStringLiteral(" Export database to Microsoft Excel"));
    QCOMPARE(w->size(), QSize(862, 560));
    auto *grid = w->findChild<QTableView *>(QStringLiteral("grdRecords"));
    QVERIFY(grid);
    QCOMPARE(grid->size(), QSize(821, 409));
    QCOMPARE(grid->model()->columnCount(), 26);
    QCOMPARE(grid->model()->rowCount(), 10);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("No."));
    QCOMPARE(grid->columnWidth(0), 60);
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), firstHeader);
    QCOMPARE(grid->columnWidth(1), firstWidth);
    QCOMPARE(grid->model()->headerData(25, Qt::Horizontal).toString(), lastHeader);
    QCOMPARE(grid->rowHeight(0), 21);
    QVERIFY(grid->alternatingRowColors());
    for (int column = 0; column < 26; ++column)
        QCOMPARE(grid->model()->index(0, column).data().toString(), QString());
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("panInfo"))->text(), QStringLiteral("Export database to Excel."));
    // Every column of the table, in order, with its width on screen.
    const auto columns = database(db).file().exportTable.columns;
    QCOMPARE(columns.size(), std::size_t(25));
    for (std::size_t k = 0; k < columns.size(); ++k)
        QCOMPARE(grid->columnWidth(static_cast<int>(k) + 1), columns[k].gridWidth);
}

void TestExport::hints()
{
    writeDatabase(0, {});
    auto w = open(0);
    testing::WindowControls c;
    c.setWindow(w.get());
    QLabel *bar = c.label(QStringLiteral("panInfo"));
    auto *grid = w->findChild<QTableView *>(QStringLiteral("grdRecords"));
    const QList<std::pair<QString, QString>> hints = {
        {QStringLiteral("cmdEsporta"), QStringLiteral("Export database to Microsoft Excel.")},
        {QStringLiteral("cmdGuida"), QStringLiteral("Get context-sensitive help.")},
        {QStringLiteral("cmdEsci"), QStringLiteral("Close window.")}};
    for (const auto &[name, hint] : hints) {
        auto *b = w->findChild<ui::PictureButton *>(name);
        QVERIFY2(b, qPrintable(name));
        QTest::mouseMove(b, QPoint(3, 3));
        QTRY_COMPARE(bar->text(), hint);
        c.verifyHintCleared(grid->viewport(), QPoint(30, 30));
    }
    QTest::mouseMove(w->findChild<ui::PictureButton *>(QStringLiteral("cmdEsci")), QPoint(3, 3));
    QTRY_COMPARE(bar->text(), QStringLiteral("Close window."));
    c.verifyHintClearedOverPanel();
}

void TestExport::fillsTheGridFromTheFile_data()
{
    QTest::addColumn<int>("db");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("column");
    QTest::newRow("clients") << 0 << QStringLiteral("Name") << 1;
    QTest::newRow("clients, notes last") << 0 << QStringLiteral("Notes") << 25;
    QTest::newRow("fleet") << 1 << QStringLiteral("Plate") << 5;
    QTest::newRow("agreements") << 2 << QStringLiteral("Number") << 1;
    QTest::newRow("agreements, return location") << 2 << QStringLiteral("ReturnLocation") << 25;
}

void TestExport::fillsTheGridFromTheFile()
{
    QFETCH(int, db);
    QFETCH(QString, field);
    QFETCH(int, column);
    QList<Row> rows;
    for (int n = 1; n <= 12; ++n)
        rows.append({{field.toStdString(), "  Citt\xE0 " + QByteArray::number(n) + "\t"}});
    writeDatabase(db, rows);
    auto w = open(db);
    QAbstractItemModel *model = w->model();
    QCOMPARE(model->rowCount(), 12);
    for (int n = 1; n <= 12; ++n) {
        QCOMPARE(model->index(n - 1, 0).data().toString(), QString::number(n));
        QCOMPARE(model->index(n - 1, column).data().toString(), QStringLiteral("Citt\u00E0 ") + QString::number(n));
    }
}

void TestExport::exportWritesTheGrid_data()
{
    QTest::addColumn<int>("db");
    QTest::newRow("clients") << 0;
    QTest::newRow("fleet") << 1;
    QTest::newRow("agreements") << 2;
}

void TestExport::exportWritesTheGrid()
{
    QFETCH(int, db);
    // Every exported field of every record, with accents, the euro sign,
    // blanks to trim and markup characters.
    QList<Row> rows;
    const auto columns = database(db).file().exportTable.columns;
    for (int n = 1; n <= 3; ++n) {
        Row row;
        for (const records::ExportColumn &c : columns) {
            const records::Layout &layout = database(db).file().layout;
            const int capacity = layout.field(*layout.indexOf(c.field)).capacity;
            row[std::string(c.field)] =
                (" " + latin(c.field).left(6) + " \xE8\x80 " + QByteArray::number(n)).left(capacity);
        }
        rows.append(row);
    }
    rows[1][std::string(columns[24].field)] = "a<b&c"; // the last column is long enough for it
    rows[2][std::string(columns[0].field)] = "x > y";
    writeDatabase(db, rows);
    auto w = open(db);
    answer({ui::Answer::Yes, ui::Answer::Yes});
    w->cmdEsportaClick();
    QCOMPARE(m_dialogs->messages.size(), 2);
    QCOMPARE(m_dialogs->messages[0].text, kAskExport);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Confirmation);
    QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::YesNo);
    QCOMPARE(m_dialogs->messages[1].text, kAskOpen);
    QCOMPARE(m_dialogs->messages[1].buttons, ui::Buttons::YesNo);
    const QByteArray file = exportFile(db);
    QCOMPARE(file, expected(db, rows));
    QVERIFY(!file.contains('\n') && !file.contains('\r'));
    QVERIFY(file.contains("<td style=\"text-align: left;\">a&lt;b&amp;c</td>"));
    const QString path = m_data->file(QString::fromUtf8(latin(database(db).file().exportTable.fileName)));
    QCOMPARE(m_dialogs->opened, QStringList{QLatin1Char('"') + path + QLatin1Char('"')});
    QVERIFY(w->isVisible());
}

void TestExport::emptyDatabaseWritesTheEmptyRows()
{
    auto w = open(0); // the client file does not even exist yet
    w->cmdEsportaClick();
    QCOMPARE(exportFile(0), expected(0, QList<Row>(10)));
    QVERIFY(QFile::exists(m_data->file(QStringLiteral("Clients.Pro"))));
}

void TestExport::typingChangesTheGridOnly()
{
    const auto path = writeDatabase(0, {{{"Name", "Rossi"}, {"City", "Roma"}}});
    const QByteArray before = testing::readFile(ui::toQtPath(path));
    {
        auto w = open(0);
        auto *grid = w->findChild<QTableView *>(QStringLiteral("grdRecords"));
        const QModelIndex city = w->model()->index(0, 6);
        grid->setCurrentIndex(city);
        grid->setFocus();
        // The first key opens the cell's editor, which takes the others.
        QTest::keyClick(grid, 'M');
        QVERIFY(grid->indexWidget(city));
        QTest::keyClicks(grid->indexWidget(city), QStringLiteral("ilano"));
        // The cell is still being typed in when the export starts.
        QVERIFY(grid->indexWidget(city));
        answer({ui::Answer::Yes, ui::Answer::No});
        w->cmdEsportaClick();
        QCOMPARE(city.data().toString(), QStringLiteral("Milano"));
        QCOMPARE(exportFile(0), expected(0, {{{"Name", "Rossi"}, {"City", "Milano"}}}));
        QVERIFY(m_dialogs->opened.isEmpty());
    }
    QCOMPARE(testing::readFile(ui::toQtPath(path)), before);
    auto again = open(0);
    QCOMPARE(again->model()->index(0, 6).data().toString(), QStringLiteral("Roma"));
}

void TestExport::readOnlyColumnsRefuseTyping()
{
    writeDatabase(0, {{{"Name", "Rossi"}}});
    auto w = open(0);
    QAbstractItemModel *model = w->model();
    const auto columns = records::clientFile().exportTable.columns;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const QModelIndex cell = model->index(0, static_cast<int>(k) + 1);
        QCOMPARE(bool(model->flags(cell) & Qt::ItemIsEditable), columns[k].editable);
        QCOMPARE(model->setData(cell, QStringLiteral("typed"), Qt::EditRole), columns[k].editable);
    }
    QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("Rossi"));
}

void TestExport::answeringNo_data()
{
    QTest::addColumn<bool>("first");
    QTest::addColumn<bool>("written");
    QTest::newRow("no to the export") << true << false;
    QTest::newRow("no to opening") << false << true;
}

void TestExport::answeringNo()
{
    QFETCH(bool, first);
    QFETCH(bool, written);
    writeDatabase(1, {{{"Make", "Fiat"}}});
    auto w = open(1);
    if (first)
        answer({ui::Answer::No});
    else
        answer({ui::Answer::Yes, ui::Answer::No});
    w->cmdEsportaClick();
    QCOMPARE(QFile::exists(m_data->file(QStringLiteral("Vehicle_Fleet.xls"))), written);
    QCOMPARE(m_dialogs->messages.size(), first ? 1 : 2);
    QVERIFY(m_dialogs->opened.isEmpty());
}

void TestExport::exportingTwiceReplacesTheFile()
{
    writeDatabase(2, {{{"Number", "1"}}, {{"Number", "2"}}});
    {
        auto w = open(2);
        w->cmdEsportaClick();
    }
    writeDatabase(2, {{{"Number", "7"}}});
    auto w = open(2);
    w->cmdEsportaClick();
    QCOMPARE(exportFile(2), expected(2, {{{"Number", "7"}}}));
}

void TestExport::failedExportKeepsTheOldFileAndTheWindow_data()
{
    QTest::addColumn<int>("op");
    QTest::newRow("file cannot be created") << int(records::faults::Op::Open);
    QTest::newRow("disk full") << int(records::faults::Op::Write);
    QTest::newRow("flush fails") << int(records::faults::Op::Sync);
    QTest::newRow("file held open by the spreadsheet program") << int(records::faults::Op::Rename);
}

void TestExport::failedExportKeepsTheOldFileAndTheWindow()
{
    QFETCH(int, op);
    writeDatabase(0, {{{"Name", "Rossi"}}});
    const QString target = m_data->file(QStringLiteral("Clients_Database.xls"));
    testing::writeFile(target, "previous export");
    auto w = open(0);
    records::faults::failAlways(static_cast<records::faults::Op>(op));
    w->cmdEsportaClick();
    records::faults::clear();
    QCOMPARE(m_dialogs->messages.size(), 2);
    QCOMPARE(m_dialogs->messages[1].text, kFailed);
    QCOMPARE(m_dialogs->messages[1].kind, ui::MessageKind::Plain);
    QCOMPARE(m_dialogs->messages[1].buttons, ui::Buttons::Ok);
    QCOMPARE(testing::readFile(target), QByteArray("previous export"));
    QCOMPARE(QDir(m_data->dataFolder()).entryList(QDir::Files).filter(QStringLiteral(".xls")),
             QStringList{QStringLiteral("Clients_Database.xls")});
    QVERIFY(w->isVisible());
    QVERIFY(m_dialogs->opened.isEmpty());
    // Trying again once the cause is gone works.
    m_dialogs->clear();
    w->cmdEsportaClick();
    QCOMPARE(exportFile(0), expected(0, {{{"Name", "Rossi"}}}));
}

void TestExport::keyboard()
{
    writeDatabase(0, {{{"Name", "Rossi"}}});
    auto w = open(0);
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    answer({ui::Answer::No});
    QTest::keyClick(w.get(), Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(m_dialogs->lastText(), kAskExport);
    QTest::keyClick(w.get(), Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

void TestExport::helpButton_data()
{
    QTest::addColumn<int>("db");
    QTest::addColumn<QString>("title");
    QTest::newRow("clients") << 0 << QStringLiteral("Export database to Microsoft Excel.");
    QTest::newRow("fleet, no full stop") << 1 << QStringLiteral("Export database to Microsoft Excel");
    QTest::newRow("agreements") << 2 << QStringLiteral("Export database to Microsoft Excel.");
}

void TestExport::helpButton()
{
    QFETCH(int, db);
    QFETCH(QString, title);
    auto w = open(db);
    QString shownTitle, shownText;
    m_dialogs->modalHandlers.enqueue([&](QDialog *dialog) {
        if (auto *t = dialog->findChild<QLabel *>(QStringLiteral("lblTitolo")))
            shownTitle = t->text();
        if (auto *t = dialog->findChild<QPlainTextEdit *>(QStringLiteral("txtGuida")))
            shownText = t->toPlainText();
        return 0;
    });
    testing::WindowControls c;
    c.setWindow(w.get());
    c.click(QStringLiteral("cmdGuida"));
    QCOMPARE(m_dialogs->modalShown, QStringList{QStringLiteral("TfrmGuida")});
    QCOMPARE(shownTitle, title);
    QVERIFY(shownText.startsWith(QStringLiteral("The Export to Excel button allows you to export")));
    QVERIFY(shownText.endsWith(QStringLiteral("name it as you wish.")));
    QVERIFY(w->isVisible());
}

void TestExport::editorsOpenTheirExport_data()
{
    QTest::addColumn<int>("db");
    QTest::addColumn<QString>("button");
    QTest::newRow("clients") << 0 << QStringLiteral("cmdExport");
    QTest::newRow("fleet") << 1 << QStringLiteral("cmdEsporta");
    QTest::newRow("agreements") << 2 << QStringLiteral("cmdEsporta");
}

void TestExport::editorsOpenTheirExport()
{
    QFETCH(int, db);
    QFETCH(QString, button);
    writeDatabase(db, {{{std::string(database(db).file().exportTable.columns[0].field), "first"}}});
    std::unique_ptr<QWidget> editor;
    if (db == 0)
        editor = std::make_unique<clients::TfrmClients>();
    else if (db == 1)
        editor = std::make_unique<fleet::TfrmFleet>();
    else
        editor = std::make_unique<agreements::TfrmRent_Receipts>();
    if (db == 2)
        editor->findChild<QLabel *>(QStringLiteral("lblFile"))
            ->setText(QStringLiteral(" ") + ui::toQtPath(records::agreementYearFile("2025")) + QStringLiteral(" "));
    QString seen;
    m_dialogs->modalHandlers.enqueue([&](QDialog *dialog) {
        auto *w = qobject_cast<ExportWindow *>(dialog);
        seen = w ? w->objectName() + QLatin1Char(' ') + w->model()->index(0, 1).data().toString() : QString();
        return 0;
    });
    testing::WindowControls c;
    c.setWindow(editor.get());
    c.click(button);
    QCOMPARE(seen, QString::fromLatin1(database(db).className) + QStringLiteral(" first"));
    QCOMPARE(m_dialogs->modalShown, QStringList{QString::fromLatin1(database(db).className)});
}

QTEST_MAIN(TestExport)
#include "test_export.moc"
