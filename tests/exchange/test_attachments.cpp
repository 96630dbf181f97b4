#include "app/startup.h"
#include "clients/clienteditor.h"
#include "exchange/attachmentswindow.h"
#include "fleet/fleeteditor.h"
#include "support/testsupport.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/qtext.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSvgWidget>
#include <QTemporaryDir>
#include <QTest>

using exchange::TfrmAllegaCartella;

namespace {

const QStringList kLabels = {QStringLiteral("lblFile01"), QStringLiteral("lblDesc01"), QStringLiteral("lblFile02"),
                             QStringLiteral("lblDesc02"), QStringLiteral("lblFile03"), QStringLiteral("lblDesc03")};

QString nn(int slot) { return QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0')); }

QStringList labelsOf(const QWidget *editor)
{
    QStringList out;
    for (const QString &name : kLabels)
        out.append(editor->findChild<QLabel *>(name)->text());
    return out;
}

void setLabels(QWidget *editor, const QStringList &values)
{
    for (qsizetype k = 0; k < kLabels.size(); ++k)
        editor->findChild<QLabel *>(kLabels[k])->setText(values.value(k));
}

QPushButton *button(const QWidget *window, const QString &name) { return window->findChild<QPushButton *>(name); }

// Every file below `folder`, relative to it.
QStringList filesBelow(const QString &folder)
{
    QStringList out;
    QDir dir(folder);
    if (!dir.exists())
        return out;
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (info.isDir()) {
            for (const QString &inner : filesBelow(info.filePath()))
                out.append(info.fileName() + QLatin1Char('/') + inner);
        } else {
            out.append(info.fileName());
        }
    }
    out.sort();
    return out;
}

} // namespace

class TestAttachments final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void windowLooksAsDesigned();
    void editorButtonsOpenTheWindowWithTheirWord_data();
    void editorButtonsOpenTheWindowWithTheirWord();
    void openingFillsTheSlotsAndEnablesOpen_data();
    void openingFillsTheSlotsAndEnablesOpen();
    void browse_data();
    void browse();
    void browseNeverWritesOutsideTheFolder_data();
    void browseNeverWritesOutsideTheFolder();
    void refusedNamesAreNeitherStoredNorCopied_data();
    void refusedNamesAreNeitherStoredNorCopied();
    void twoRecordsShareOneStoredCopy_data();
    void twoRecordsShareOneStoredCopy();
    void open_data();
    void open();
    void eraserClearsTheNameOnly();
    void apply_data();
    void apply();
    void cancelChangesNothingButKeepsTheCopies();
    void keyboard();

private:
    QString folder() const { return m_data->dataFolder() + QStringLiteral("/Attachments"); }
    QString source(const QString &name, const QByteArray &content);
    std::unique_ptr<TfrmAllegaCartella> window(ui::EditorWindow *editor, const QString &word);

    testing::TempDataFolder *m_data = nullptr;
    QTemporaryDir *m_elsewhere = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    clients::TfrmClients *m_clients = nullptr;
    fleet::TfrmFleet *m_fleet = nullptr;
};

void TestAttachments::initTestCase() { app::prepareApplication(*qApp); }

void TestAttachments::init()
{
    m_data = new testing::TempDataFolder;
    m_elsewhere = new QTemporaryDir;
    m_dialogs = new ui::ScriptedDialogs;
    m_clients = new clients::TfrmClients;
    m_clients->setGeometry(0, 0, 1366, 768);
    m_clients->show();
    m_fleet = new fleet::TfrmFleet;
    m_fleet->setGeometry(0, 0, 1366, 768);
    m_fleet->show();
}

void TestAttachments::cleanup()
{
    delete m_fleet;
    delete m_clients;
    delete m_dialogs;
    delete m_elsewhere;
    delete m_data;
}

QString TestAttachments::source(const QString &name, const QByteArray &content)
{
    const QString path = m_elsewhere->path() + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    testing::writeFile(path, content);
    return path;
}

std::unique_ptr<TfrmAllegaCartella> TestAttachments::window(ui::EditorWindow *editor, const QString &word)
{
    auto w = std::make_unique<TfrmAllegaCartella>(editor);
    w->setCallerWord(word);
    w->loadFrom(editor);
    w->show();
    return w;
}

void TestAttachments::windowLooksAsDesigned()
{
    const auto w = window(m_clients, QStringLiteral("clients"));
    QCOMPARE(w->objectName(), QStringLiteral("TfrmAllegaCartella"));
    QCOMPARE(w->windowTitle(), QStringLiteral(" Attached Files"));
    QCOMPARE(w->size(), QSize(634, 534));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(!w->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!w->windowFlags().testFlag(Qt::WindowMinMaxButtonsHint));
    const QRect screen = w->screen()->availableGeometry();
    QVERIFY(std::abs(w->geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(std::abs(w->geometry().center().y() - screen.center().y()) <= 1);
    QVERIFY(w->findChild<QSvgWidget *>());
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblMemory"))->text(), QStringLiteral("clients"));
    QVERIFY(!w->findChild<QLabel *>(QStringLiteral("lblMemory"))->isVisible());
    for (int slot = 0; slot < 3; ++slot) {
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblCampo") + nn(slot * 2))->text(),
                 QStringLiteral("Attached File %1:").arg(slot + 1));
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblCampo") + nn(slot * 2 + 1))->text(),
                 QStringLiteral("Description:"));
        QLineEdit *file = w->findChild<QLineEdit *>(QStringLiteral("txtFile") + nn(slot));
        QVERIFY(file->isReadOnly());
        QCOMPARE(file->maxLength(), 250);
        QCOMPARE(w->findChild<QLineEdit *>(QStringLiteral("txtDesc") + nn(slot))->maxLength(), 250);
        QVERIFY(!w->findChild<QLineEdit *>(QStringLiteral("txtDesc") + nn(slot))->isReadOnly());
        QVERIFY(w->findChild<ui::PictureButton *>(QStringLiteral("imgCancella") + nn(slot)));
        QCOMPARE(button(w.get(), QStringLiteral("btnSfoglia") + nn(slot))->text(), QStringLiteral("Browse..."));
        QCOMPARE(button(w.get(), QStringLiteral("btnApri") + nn(slot))->text(), QStringLiteral("Open"));
        QVERIFY(!button(w.get(), QStringLiteral("btnApri") + nn(slot))->isEnabled());
    }
    QCOMPARE(button(w.get(), QStringLiteral("btnAnnulla"))->text(), QStringLiteral("Cancel"));
    QCOMPARE(button(w.get(), QStringLiteral("btnApplica"))->text(), QStringLiteral("Apply and close"));
    // A picture of the window when the developer asks for one.
    if (const QString out = qEnvironmentVariable("CARVELLO_TEST_OUTPUT"); !out.isEmpty()) {
        QDir().mkpath(out);
        w->fileField(0)->setText(QStringLiteral("Driving licence scan.pdf"));
        w->descField(0)->setText(QStringLiteral("Licence, both sides"));
        w->grab().save(out + QStringLiteral("/attachments_window.png"));
    }
    // Every control can be told apart by assistive technology.
    for (QWidget *control : w->findChildren<QWidget *>()) {
        if (qobject_cast<QLineEdit *>(control) || qobject_cast<QAbstractButton *>(control))
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }
}

void TestAttachments::editorButtonsOpenTheWindowWithTheirWord_data()
{
    QTest::addColumn<bool>("vehicle");
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("word");
    QTest::newRow("client editor") << false << QStringLiteral("cmdAttach") << QStringLiteral("clients");
    QTest::newRow("vehicle editor") << true << QStringLiteral("cmdFile") << QStringLiteral("fleet");
}

void TestAttachments::editorButtonsOpenTheWindowWithTheirWord()
{
    QFETCH(bool, vehicle);
    QFETCH(QString, buttonName);
    QFETCH(QString, word);
    ui::EditorWindow *editor = vehicle ? static_cast<ui::EditorWindow *>(m_fleet) : m_clients;
    setLabels(editor, {QStringLiteral(" a.pdf "), QStringLiteral("Licence"), QString(), QStringLiteral("Contract")});
    const QString chosen = source(QStringLiteral("scan.jpg"), "scan");
    m_dialogs->fileNames.enqueue(chosen);
    QString memory;
    m_dialogs->modalHandlers.enqueue([&](QDialog *dialog) {
        memory = dialog->findChild<QLabel *>(QStringLiteral("lblMemory"))->text();
        button(dialog, QStringLiteral("btnSfoglia03"))->click();
        dialog->findChild<QLineEdit *>(QStringLiteral("txtDesc03"))->setText(QStringLiteral(" Insurance  "));
        button(dialog, QStringLiteral("btnApplica"))->click();
        return dialog->result();
    });
    editor->findChild<QAbstractButton *>(buttonName)->click();
    QCOMPARE(m_dialogs->modalShown, QStringList{QStringLiteral("TfrmAllegaCartella")});
    QCOMPARE(memory, word);
    QCOMPARE(labelsOf(editor),
             (QStringList{QStringLiteral("a.pdf"), QStringLiteral("Licence"), QString(), QStringLiteral("Contract"),
                          QStringLiteral("scan.jpg"), QStringLiteral("Insurance")}));
    QCOMPARE(testing::readFile(folder() + QStringLiteral("/scan.jpg")), QByteArray("scan"));
    QCOMPARE(m_dialogs->fileRequests.size(), 1);
    QCOMPARE(m_dialogs->fileRequests[0].title, QStringLiteral("Select the file to attach:"));
    QCOMPARE(m_dialogs->fileRequests[0].filter, QStringLiteral("All files (*.*)"));
    QVERIFY(m_dialogs->messages.isEmpty());
    // The record takes them at the next save.
    const records::Record record = editor->engine()->collect();
    QCOMPARE(record.text("File03"), std::string("scan.jpg"));
}

void TestAttachments::openingFillsTheSlotsAndEnablesOpen_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("descriptions");
    QTest::addColumn<QList<bool>>("enabled");
    QTest::newRow("empty record") << QStringList() << QStringList{QString(), QString(), QString()}
                                  << QStringList{QString(), QString(), QString()} << QList<bool>{false, false, false};
    QTest::newRow("slots 1 and 3") << QStringList{QStringLiteral("licence.pdf"),
                                                  QStringLiteral("Licence"),
                                                  QString(),
                                                  QString(),
                                                  QStringLiteral("policy.pdf"),
                                                  QString()}
                                   << QStringList{QStringLiteral("licence.pdf"), QString(),
                                                  QStringLiteral("policy.pdf")}
                                   << QStringList{QStringLiteral("Licence"), QString(), QString()}
                                   << QList<bool>{true, false, true};
    QTest::newRow("blanks trimmed, a description alone")
        << QStringList{QStringLiteral("\t my scan.pdf "), QString(), QStringLiteral("   "),
                       QStringLiteral(" To be scanned "), QString(), QString()}
        << QStringList{QStringLiteral("my scan.pdf"), QString(), QString()}
        << QStringList{QString(), QStringLiteral("To be scanned"), QString()} << QList<bool>{true, false, false};
}

void TestAttachments::openingFillsTheSlotsAndEnablesOpen()
{
    QFETCH(QStringList, labels);
    QFETCH(QStringList, files);
    QFETCH(QStringList, descriptions);
    QFETCH(QList<bool>, enabled);
    setLabels(m_fleet, labels);
    const auto w = window(m_fleet, QStringLiteral("fleet"));
    for (int slot = 0; slot < 3; ++slot) {
        QCOMPARE(w->fileField(slot)->text(), files[slot]);
        QCOMPARE(w->descField(slot)->text(), descriptions[slot]);
        QCOMPARE(button(w.get(), QStringLiteral("btnApri") + nn(slot))->isEnabled(), enabled[slot]);
    }
    // The button follows the name whenever it changes.
    w->fileField(1)->setText(QStringLiteral("x"));
    QVERIFY(button(w.get(), QStringLiteral("btnApri02"))->isEnabled());
    w->fileField(1)->setText(QStringLiteral(" \t"));
    QVERIFY(!button(w.get(), QStringLiteral("btnApri02"))->isEnabled());
}

void TestAttachments::browse_data()
{
    QTest::addColumn<QString>("chosen");    // file name; empty: the dialog is cancelled
    QTest::addColumn<QByteArray>("stored"); // a copy already in the folder; null: none
    QTest::addColumn<int>("answer");        // answer to the overwrite question
    QTest::addColumn<QString>("field");     // the slot's name afterwards
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QByteArray>("content"); // of the stored copy afterwards; null: none
    const int yes = int(ui::Answer::Yes);
    const int no = int(ui::Answer::No);
    QTest::newRow("new file") << QStringLiteral("licence.pdf") << QByteArray() << yes << QStringLiteral("licence.pdf")
                              << false << QByteArray("chosen");
    QTest::newRow("same name, Yes replaces") << QStringLiteral("licence.pdf") << QByteArray("stored") << yes
                                             << QStringLiteral("licence.pdf") << true << QByteArray("chosen");
    QTest::newRow("same name, No keeps the stored copy")
        << QStringLiteral("licence.pdf") << QByteArray("stored") << no << QStringLiteral("licence.pdf") << true
        << QByteArray("stored");
    QTest::newRow("blanks inside the name") << QStringLiteral("my scan 01.pdf") << QByteArray() << yes
                                            << QStringLiteral("my scan 01.pdf") << false << QByteArray("chosen");
    QTest::newRow("no extension") << QStringLiteral("README") << QByteArray() << yes << QStringLiteral("README")
                                  << false << QByteArray("chosen");
    QTest::newRow("name of 250 characters")
        << QString(246, QLatin1Char('n')) + QStringLiteral(".pdf") << QByteArray() << yes
        << QString(246, QLatin1Char('n')) + QStringLiteral(".pdf") << false << QByteArray("chosen");
    QTest::newRow("accented name") << QStringLiteral("Patente Müller é.pdf") << QByteArray() << yes
                                   << QStringLiteral("Patente Müller é.pdf") << false << QByteArray("chosen");
    QTest::newRow("empty file") << QStringLiteral("empty.txt") << QByteArray() << yes << QStringLiteral("empty.txt")
                                << false << QByteArray("");
    QTest::newRow("dialog cancelled") << QString() << QByteArray() << yes << QStringLiteral("old.pdf") << false
                                      << QByteArray();
}

void TestAttachments::browse()
{
    QFETCH(QString, chosen);
    QFETCH(QByteArray, stored);
    QFETCH(int, answer);
    QFETCH(QString, field);
    QFETCH(bool, asked);
    QFETCH(QByteArray, content);
    setLabels(m_clients, {QStringLiteral("old.pdf"), QStringLiteral("Old")});
    if (!stored.isNull()) {
        QDir().mkpath(folder());
        testing::writeFile(folder() + QLatin1Char('/') + chosen, stored);
    }
    if (!chosen.isEmpty())
        m_dialogs->fileNames.enqueue(source(chosen, content.isEmpty() ? QByteArray() : QByteArray("chosen")));
    m_dialogs->answers.enqueue(ui::Answer(answer));
    const auto w = window(m_clients, QStringLiteral("clients"));
    button(w.get(), QStringLiteral("btnSfoglia01"))->click();
    QCOMPARE(m_dialogs->fileRequests.size(), 1);
    QCOMPARE(w->fileField(0)->text(), field);
    QCOMPARE(w->descField(0)->text(), QStringLiteral("Old"));
    QVERIFY(button(w.get(), QStringLiteral("btnApri01"))->isEnabled());
    if (asked) {
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Confirmation);
        QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::YesNo);
        QCOMPARE(m_dialogs->messages[0].text,
                 QStringLiteral("Esiste già un file allegato con lo stesso nome.\r\n\r\nLo si vuole sovrascrivere?"));
    } else {
        QVERIFY(m_dialogs->messages.isEmpty());
    }
    if (content.isNull()) {
        QCOMPARE(filesBelow(folder()), QStringList());
    } else {
        QCOMPARE(filesBelow(folder()), QStringList{chosen});
        QCOMPARE(testing::readFile(folder() + QLatin1Char('/') + chosen), content);
    }
    // The editor learns nothing before Apply.
    QCOMPARE(labelsOf(m_clients).first(), QStringLiteral("old.pdf"));
}

void TestAttachments::browseNeverWritesOutsideTheFolder_data()
{
    QTest::addColumn<QString>("chosen"); // relative to a scratch folder
    QTest::addColumn<QString>("name");   // what the slot and the folder hold
    QTest::newRow("back-slash in a file name") << QStringLiteral("a\\..\\b.txt") << QStringLiteral("b.txt");
    QTest::newRow("dots in the chosen path") << QStringLiteral("sub/../c.txt") << QStringLiteral("c.txt");
    QTest::newRow("leading blank is trimmed") << QStringLiteral("  padded.txt") << QStringLiteral("padded.txt");
}

void TestAttachments::browseNeverWritesOutsideTheFolder()
{
    QFETCH(QString, chosen);
    QFETCH(QString, name);
    QDir().mkpath(m_elsewhere->path() + QStringLiteral("/sub"));
    const QString path = m_elsewhere->path() + QLatin1Char('/') + chosen;
    testing::writeFile(QFileInfo(path).absoluteFilePath(), "content");
    const QStringList before = filesBelow(m_data->root());
    m_dialogs->fileNames.enqueue(path);
    const auto w = window(m_clients, QStringLiteral("clients"));
    button(w.get(), QStringLiteral("btnSfoglia02"))->click();
    QCOMPARE(ui::trimControl(w->fileField(1)->text()), name);
    QCOMPARE(filesBelow(folder()), QStringList{name});
    QCOMPARE(testing::readFile(folder() + QLatin1Char('/') + name), QByteArray("content"));
    // Only the copy is new under the temporary root.
    QStringList after = filesBelow(m_data->root());
    after.removeOne(QStringLiteral("Drivora/Attachments/") + name);
    QCOMPARE(after, before);
}

void TestAttachments::refusedNamesAreNeitherStoredNorCopied_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("warning"); // empty: refused silently
    QTest::newRow("name of 251 characters")
        << QString(247, QLatin1Char('n')) + QStringLiteral(".pdf") << exchange::kNameTooLong;
    QTest::newRow("letters the record cannot hold") << QStringLiteral("Паспорт.pdf") << exchange::kNameNotStorable;
    QTest::newRow("unreadable chosen file") << QStringLiteral("missing.pdf") << QString();
}

void TestAttachments::refusedNamesAreNeitherStoredNorCopied()
{
    QFETCH(QString, chosen);
    QFETCH(QString, warning);
    const bool missing = chosen == QLatin1String("missing.pdf");
    m_dialogs->fileNames.enqueue(missing ? m_elsewhere->path() + QStringLiteral("/missing.pdf")
                                         : source(chosen, "chosen"));
    setLabels(m_clients, {QStringLiteral("kept.pdf")});
    const auto w = window(m_clients, QStringLiteral("clients"));
    button(w.get(), QStringLiteral("btnSfoglia01"))->click();
    QCOMPARE(filesBelow(folder()), QStringList());
    if (warning.isEmpty()) {
        // The read failed after the name was taken: no message, no copy.
        QVERIFY(m_dialogs->messages.isEmpty());
        QCOMPARE(w->fileField(0)->text(), chosen);
        return;
    }
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_dialogs->messages[0].text, warning);
    QCOMPARE(w->fileField(0)->text(), QStringLiteral("kept.pdf"));
}

void TestAttachments::twoRecordsShareOneStoredCopy_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("Yes: the one attached last") << int(ui::Answer::Yes) << QByteArray("second");
    QTest::newRow("No: the first one") << int(ui::Answer::No) << QByteArray("first");
}

void TestAttachments::twoRecordsShareOneStoredCopy()
{
    QFETCH(int, answer);
    QFETCH(QByteArray, content);
    // A client and a vehicle attach different files called the same.
    QDir().mkpath(m_elsewhere->path() + QStringLiteral("/one"));
    QDir().mkpath(m_elsewhere->path() + QStringLiteral("/two"));
    m_dialogs->fileNames.enqueue(source(QStringLiteral("one/contract.pdf"), "first"));
    m_dialogs->fileNames.enqueue(source(QStringLiteral("two/contract.pdf"), "second"));
    m_dialogs->answers.enqueue(ui::Answer(answer));
    {
        const auto w = window(m_clients, QStringLiteral("clients"));
        button(w.get(), QStringLiteral("btnSfoglia01"))->click();
        button(w.get(), QStringLiteral("btnApplica"))->click();
    }
    {
        const auto w = window(m_fleet, QStringLiteral("fleet"));
        button(w.get(), QStringLiteral("btnSfoglia02"))->click();
        button(w.get(), QStringLiteral("btnApplica"))->click();
    }
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(labelsOf(m_clients).at(0), QStringLiteral("contract.pdf"));
    QCOMPARE(labelsOf(m_fleet).at(2), QStringLiteral("contract.pdf"));
    QCOMPARE(filesBelow(folder()), QStringList{QStringLiteral("contract.pdf")});
    QCOMPARE(testing::readFile(folder() + QStringLiteral("/contract.pdf")), content);
}

void TestAttachments::open_data()
{
    QTest::addColumn<QString>("stored"); // the slot name as the record holds it
    QTest::addColumn<QString>("file");   // what is opened inside the folder; empty: nothing
    QTest::newRow("plain name") << QStringLiteral("licence.pdf") << QStringLiteral("licence.pdf");
    QTest::newRow("blanks in the name") << QStringLiteral("my scan 01.pdf") << QStringLiteral("my scan 01.pdf");
    QTest::newRow("padded") << QStringLiteral("  policy.pdf \t") << QStringLiteral("policy.pdf");
    QTest::newRow("climbing out with back-slashes")
        << QStringLiteral("..\\..\\secret.txt") << QStringLiteral("secret.txt");
    QTest::newRow("absolute path") << QStringLiteral("/etc/passwd") << QStringLiteral("passwd");
    QTest::newRow("folder part") << QStringLiteral("a/b") << QStringLiteral("b");
    QTest::newRow("drive letter") << QStringLiteral("C:\\Windows\\win.ini") << QStringLiteral("win.ini");
    QTest::newRow("parent folder alone") << QStringLiteral("..") << QString();
    QTest::newRow("dot") << QStringLiteral(".") << QString();
    QTest::newRow("folder only") << QStringLiteral("a/") << QString();
}

void TestAttachments::open()
{
    QFETCH(QString, stored);
    QFETCH(QString, file);
    setLabels(m_fleet, {QString(), QString(), stored, QStringLiteral("Desc")});
    const auto w = window(m_fleet, QStringLiteral("fleet"));
    QPushButton *open = button(w.get(), QStringLiteral("btnApri02"));
    QVERIFY(open->isEnabled());
    open->click();
    QVERIFY(m_dialogs->messages.isEmpty());
    // The folder is made when Open needs it.
    QVERIFY(QFileInfo(folder()).isDir());
    if (file.isEmpty()) {
        QCOMPARE(m_dialogs->opened, QStringList());
        return;
    }
    QCOMPARE(m_dialogs->opened.size(), 1);
    const QString target = m_dialogs->opened[0];
    QVERIFY2(target.startsWith(QLatin1Char('"')) && target.endsWith(QLatin1Char('"')), qPrintable(target));
    const QString path = target.mid(1, target.size() - 2);
    QCOMPARE(path, ui::toQtPath(ui::fromQtPath(folder()) / ui::fromQtPath(file)));
    QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(folder()).absoluteFilePath());
    QCOMPARE(ui::shellTarget(target).toLocalFile(), path);
}

void TestAttachments::eraserClearsTheNameOnly()
{
    QDir().mkpath(folder());
    testing::writeFile(folder() + QStringLiteral("/b.pdf"), "b");
    setLabels(m_clients, {QStringLiteral("a.pdf"), QStringLiteral("A"), QStringLiteral("b.pdf"), QStringLiteral("B"),
                          QStringLiteral("c.pdf"), QStringLiteral("C")});
    const auto w = window(m_clients, QStringLiteral("clients"));
    w->findChild<ui::PictureButton *>(QStringLiteral("imgCancella02"))->click();
    QCOMPARE(w->fileField(1)->text(), QString());
    QCOMPARE(w->descField(1)->text(), QStringLiteral("B"));
    QVERIFY(!button(w.get(), QStringLiteral("btnApri02"))->isEnabled());
    QVERIFY(button(w.get(), QStringLiteral("btnApri01"))->isEnabled());
    button(w.get(), QStringLiteral("btnApplica"))->click();
    QCOMPARE(labelsOf(m_clients), (QStringList{QStringLiteral("a.pdf"), QStringLiteral("A"), QString(),
                                               QStringLiteral("B"), QStringLiteral("c.pdf"), QStringLiteral("C")}));
    QCOMPARE(testing::readFile(folder() + QStringLiteral("/b.pdf")), QByteArray("b"));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestAttachments::apply_data()
{
    QTest::addColumn<bool>("vehicle"); // the editor that opened the window
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("target"); // 0 client editor, 1 vehicle editor, -1 none
    QTest::newRow("clients") << false << QStringLiteral("clients") << 0;
    QTest::newRow("fleet") << true << QStringLiteral("fleet") << 1;
    QTest::newRow("word with blanks") << true << QStringLiteral(" fleet\t") << 1;
    QTest::newRow("the other editor's word") << false << QStringLiteral("fleet") << 1;
    QTest::newRow("letter case differs") << false << QStringLiteral("Clients") << -1;
    QTest::newRow("unknown word") << true << QStringLiteral("rent_receipts") << -1;
    QTest::newRow("no word") << false << QString() << -1;
}

void TestAttachments::apply()
{
    QFETCH(bool, vehicle);
    QFETCH(QString, word);
    QFETCH(int, target);
    const QStringList clientBefore = {QStringLiteral("c1")};
    const QStringList fleetBefore = {QStringLiteral("f1")};
    setLabels(m_clients, clientBefore);
    setLabels(m_fleet, fleetBefore);
    const auto w = window(vehicle ? static_cast<ui::EditorWindow *>(m_fleet) : m_clients, word);
    w->fileField(0)->setText(QStringLiteral(" one.pdf "));
    w->descField(0)->setText(QStringLiteral("\tFirst "));
    w->fileField(1)->setText(QString());
    w->descField(1)->setText(QStringLiteral("Description only"));
    w->fileField(2)->setText(QStringLiteral("three.doc"));
    w->descField(2)->setText(QString());
    QVERIFY(!button(w.get(), QStringLiteral("btnApri02"))->isEnabled());
    button(w.get(), QStringLiteral("btnApplica"))->click();
    const QStringList applied = {QStringLiteral("one.pdf"),          QStringLiteral("First"),     QString(),
                                 QStringLiteral("Description only"), QStringLiteral("three.doc"), QString()};
    auto padded = [](QStringList list) {
        while (list.size() < 6)
            list.append(QString());
        return list;
    };
    QCOMPARE(labelsOf(m_clients), target == 0 ? applied : padded(clientBefore));
    QCOMPARE(labelsOf(m_fleet), target == 1 ? applied : padded(fleetBefore));
    QCOMPARE(w->isVisible(), target < 0);
    QCOMPARE(w->result(), target < 0 ? 0 : int(QDialog::Accepted));
}

void TestAttachments::cancelChangesNothingButKeepsTheCopies()
{
    setLabels(m_clients, {QStringLiteral("a.pdf"), QStringLiteral("A")});
    const QStringList before = labelsOf(m_clients);
    m_dialogs->fileNames.enqueue(source(QStringLiteral("new.pdf"), "new"));
    const auto w = window(m_clients, QStringLiteral("clients"));
    button(w.get(), QStringLiteral("btnSfoglia01"))->click();
    w->descField(0)->setText(QStringLiteral("Changed"));
    button(w.get(), QStringLiteral("btnAnnulla"))->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(w->result(), int(QDialog::Rejected));
    QCOMPARE(labelsOf(m_clients), before);
    QCOMPARE(testing::readFile(folder() + QStringLiteral("/new.pdf")), QByteArray("new"));
}

void TestAttachments::keyboard()
{
    setLabels(m_clients, {QStringLiteral("a.pdf")});
    m_dialogs->fileNames.enqueue(source(QStringLiteral("k.pdf"), "k"));
    const auto w = window(m_clients, QStringLiteral("clients"));
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    // The Tab order goes through each slot in turn, then Cancel and Apply.
    QStringList order;
    QWidget *start = button(w.get(), QStringLiteral("btnSfoglia01"));
    QCOMPARE(QApplication::focusWidget(), start);
    for (QWidget *k = start->nextInFocusChain(); k != start && order.size() < 40; k = k->nextInFocusChain()) {
        if (k->focusPolicy() & Qt::TabFocus && k->isVisibleTo(w.get()))
            order.append(k->objectName());
    }
    QCOMPARE(order,
             (QStringList{QStringLiteral("btnApri01"), QStringLiteral("txtDesc01"), QStringLiteral("txtFile02"),
                          QStringLiteral("imgCancella02"), QStringLiteral("btnSfoglia02"), QStringLiteral("btnApri02"),
                          QStringLiteral("txtDesc02"), QStringLiteral("txtFile03"), QStringLiteral("imgCancella03"),
                          QStringLiteral("btnSfoglia03"), QStringLiteral("btnApri03"), QStringLiteral("txtDesc03"),
                          QStringLiteral("btnAnnulla"), QStringLiteral("btnApplica"), QStringLiteral("txtFile01"),
                          QStringLiteral("imgCancella01")}));
    // Enter presses the button that has the focus.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(w->fileField(0)->text(), QStringLiteral("k.pdf"));
    button(w.get(), QStringLiteral("btnApri01"))->setFocus();
    QTest::keyClick(button(w.get(), QStringLiteral("btnApri01")), Qt::Key_Return);
    QCOMPARE(m_dialogs->opened.size(), 1);
    auto *eraser = w->findChild<ui::PictureButton *>(QStringLiteral("imgCancella01"));
    eraser->setFocus();
    QTest::keyClick(eraser, Qt::Key_Return);
    QCOMPARE(w->fileField(0)->text(), QString());
    // Enter in a description moves on and never closes the window.
    w->descField(2)->setFocus();
    QTest::keyClick(w->descField(2), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), button(w.get(), QStringLiteral("btnApplica")));
    QVERIFY(w->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!w->isVisible());
    QCOMPARE(labelsOf(m_clients).first(), QString());
}

QTEST_MAIN(TestAttachments)
#include "test_attachments.moc"
