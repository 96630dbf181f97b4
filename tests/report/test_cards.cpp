#include "app/startup.h"
#include "clients/clientcard.h"
#include "clients/clienteditor.h"
#include "fleet/fleeteditor.h"
#include "fleet/fleettesting.h"
#include "fleet/vehiclecard.h"
#include "report/pictures.h"
#include "report/reportpreview.h"
#include "support/pdfwords.h"
#include "support/testsupport.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/qtext.h"
#include "ui/widgets/appearance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgWidget>
#include <QTest>
#include <QToolButton>

using namespace report;

namespace {

enum class Card { Client, VehiclePrint, VehiclePreview };

// The sheet has 10 mm margins: template positions plus 10.
QRectF onSheet(double left, double top, double width, double height)
{
    return QRectF(left + 10, top + 10, width, height);
}
// Value box of client row `row`.
QRectF clientValue(int row) { return onSheet(44.0, 2 + 5 * row + 0.5, 144.0, 3.5); }
// Value box of a vehicle cell at (L, T) of width W.
QRectF vehicleValue(double left, double top, double width) { return onSheet(left + 1, top + 6.4, width - 2, 4.0); }

bool near(double a, double b, double tolerance) { return std::abs(a - b) <= tolerance; }

// A client as the desk types it; unsaved, padded where a user might be.
const QList<std::pair<QString, QString>> kClient = {
    {QStringLiteral("txtName"), QStringLiteral("  Johnson Emily ")},
    {QStringLiteral("txtGender"), QStringLiteral("F")},
    {QStringLiteral("txtBirthDate"), QStringLiteral("03/11/1988")},
    {QStringLiteral("txtBirthPlace"), QStringLiteral("Leeds (UK)")},
    {QStringLiteral("txtStreet"), QStringLiteral("27 Kirkstall Road")},
    {QStringLiteral("txtCity"), QStringLiteral("Leeds")},
    {QStringLiteral("txtEmail"), QStringLiteral("emily.johnson@example.org")},
    {QStringLiteral("txtLicense"), QStringLiteral("JOHNS811038E99LK")},
    {QStringLiteral("txtIssues"), QStringLiteral("Deposit of EUR 300 still to be returned")},
    {QStringLiteral("txtBank"), QStringLiteral("Visa **** 4321")},
    {QStringLiteral("txtNotes"), QStringLiteral("Prefers automatic gearbox\t")},
};

const QList<std::pair<QString, QString>> kVehicle = {
    {QStringLiteral("txtType"), QStringLiteral(" Compact car")},
    {QStringLiteral("txtServices"), QStringLiteral("Unlimited mileage, roadside assistance")},
    {QStringLiteral("txtMake"), QStringLiteral("Fiat")},
    {QStringLiteral("txtPlate"), QStringLiteral("GH 482 KT")},
    {QStringLiteral("txtYear"), QStringLiteral("2021")},
    {QStringLiteral("txtVIN"), QStringLiteral("ZFA35600006G12345")},
    {QStringLiteral("txtTires"), QStringLiteral("Michelin Primacy 205/55 R16")},
    {QStringLiteral("txtKW"), QStringLiteral("96")},
    {QStringLiteral("txtWeight"), QStringLiteral("450 kg")},
    {QStringLiteral("txtInsurance"), QStringLiteral("Full cover, excess EUR 500")},
    {QStringLiteral("txtPhoneMec"), QStringLiteral("+39 0541 765432")},
    {QStringLiteral("txtNotes"), QStringLiteral("Winter tyres in the store room ")},
};

void fill(QWidget *editor, const QList<std::pair<QString, QString>> &values)
{
    for (const auto &[name, value] : values)
        editor->findChild<QLineEdit *>(name)->setText(value);
}

QStringList texts(const QWidget *editor)
{
    QStringList out;
    for (const QLineEdit *edit : editor->findChildren<QLineEdit *>())
        out.append(edit->objectName() + QLatin1Char('=') + edit->text());
    return out;
}

// Keeps a copy of a produced PDF when the developer asks for one.
void keepCopy(const QString &file, const QString &name)
{
    const QString folder = qEnvironmentVariable("CARVELLO_TEST_OUTPUT");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QFile::remove(folder + QLatin1Char('/') + name);
    QFile::copy(file, folder + QLatin1Char('/') + name);
}

// How far two pictures differ, scaled to the same small size.
double difference(const QImage &a, const QImage &b)
{
    const QSize size(48, 30);
    const QImage x = onWhite(a).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage y = onWhite(b).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    for (int j = 0; j < size.height(); ++j) {
        for (int i = 0; i < size.width(); ++i) {
            const QColor p = x.pixelColor(i, j);
            const QColor q = y.pixelColor(i, j);
            sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue());
        }
    }
    return sum / (size.width() * size.height() * 3 * 255.0);
}

} // namespace

class TestCards final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void windowsLookAsDesigned_data();
    void windowsLookAsDesigned();
    void everyTextObjectIsFilledFromItsField_data();
    void everyTextObjectIsFilledFromItsField();
    void clientCardPrintsTheScreenAtItsRows_data();
    void clientCardPrintsTheScreenAtItsRows();
    void vehicleCardPrintsTheScreenInItsCells_data();
    void vehicleCardPrintsTheScreenInItsCells();
    void emptyEditorPrintsAnEmptyCard_data();
    void emptyEditorPrintsAnEmptyCard();
    void longValuesAreCutNeverWrapped_data();
    void longValuesAreCutNeverWrapped();
    void bracketsArePrintedLiterally_data();
    void bracketsArePrintedLiterally();
    void dateLineHasTheDayFirst();
    void printedDateLineOfTheClientCard();
    void vehiclePicture_data();
    void vehiclePicture();
    void previewShowsTheCardAndPrintsIt();
    void cancelPrintsNothing_data();
    void cancelPrintsNothing();
    void cancelledPrintDialogIsNoError_data();
    void cancelledPrintDialogIsNoError();
    void vehicleFailuresShowTheWindowsWarning_data();
    void vehicleFailuresShowTheWindowsWarning();
    void clientFailureIsReportedAndTheWindowStays();

private:
    QString printFile() const { return m_data->root() + QStringLiteral("/card.pdf"); }
    QWidget *editorOf(Card card) const;
    void run(Card card);
    // Presses a button of the card window once it is shown.
    // Prints `card` to the PDF file and reads it back.
    testing::PdfText printed(Card card, const QString &copyName);
    QString brokenTemplate(const QString &templatePath, const QByteArray &object);

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    clients::TfrmClients *m_clients = nullptr;
    fleet::TfrmFleet *m_fleet = nullptr;
};

void TestCards::initTestCase() { app::prepareApplication(*qApp); }

void TestCards::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    m_dialogs->printFile = printFile();
    m_clients = new clients::TfrmClients;
    m_clients->setGeometry(0, 0, 1366, 768);
    m_clients->show();
    m_fleet = new fleet::TfrmFleet;
    m_fleet->setGeometry(0, 0, 1366, 768);
    m_fleet->show();
}

void TestCards::cleanup()
{
    delete m_fleet;
    delete m_clients;
    delete m_dialogs;
    delete m_data;
}

QWidget *TestCards::editorOf(Card card) const
{
    return card == Card::Client ? static_cast<QWidget *>(m_clients) : m_fleet;
}

void TestCards::run(Card card)
{
    switch (card) {
    case Card::Client:
        clients::printClientCard(m_clients);
        break;
    case Card::VehiclePrint:
        fleet::printVehicleCard(m_fleet);
        break;
    case Card::VehiclePreview:
        fleet::previewVehicleCard(m_fleet);
        break;
    }
}

testing::PdfText TestCards::printed(Card card, const QString &copyName)
{
    m_dialogs->printerChoices.enqueue(true);
    m_dialogs->pressWhenShown(QStringLiteral("btnStampa"));
    if (card == Card::VehiclePreview) {
        m_dialogs->modalHandlers.enqueue([](QDialog *dialog) {
            dialog->findChild<QToolButton *>(QStringLiteral("btnPrint"))->click();
            dialog->findChild<QToolButton *>(QStringLiteral("btnClose"))->click();
            return 0;
        });
    }
    run(card);
    [&] {
        QCOMPARE(m_dialogs->printDialogs, 1);
        QVERIFY(m_dialogs->messages.isEmpty());
    }();
    keepCopy(printFile(), copyName);
    return testing::readPdfText(printFile());
}

QString TestCards::brokenTemplate(const QString &templatePath, const QByteArray &object)
{
    // The template with the object renamed, so that filling it fails.
    QByteArray json = testing::readFile(templatePath);
    const QByteArray name = "\"name\": \"" + object + "\"";
    if (json.count(name) != 1)
        return {};
    json.replace(name, "\"name\": \"" + object + "Gone\"");
    const QString path = m_data->root() + QStringLiteral("/broken.json");
    testing::writeFile(path, json);
    return path;
}

void TestCards::windowsLookAsDesigned_data()
{
    QTest::addColumn<int>("card");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("action");
    QTest::newRow("client print") << int(Card::Client) << QStringLiteral("TfrmPrintClient") << QStringLiteral(" Print")
                                  << QStringLiteral("imgLogo01") << QStringLiteral("Print");
    QTest::newRow("vehicle print") << int(Card::VehiclePrint) << QStringLiteral("TfrmPrintVehicle")
                                   << QStringLiteral(" Print") << QStringLiteral("imgLogo01")
                                   << QStringLiteral("Print");
    QTest::newRow("vehicle preview") << int(Card::VehiclePreview) << QStringLiteral("TfrmPreviewVehicle")
                                     << QStringLiteral(" Preview") << QStringLiteral("icoInf01")
                                     << QStringLiteral("Show preview");
}

void TestCards::windowsLookAsDesigned()
{
    QFETCH(int, card);
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(QString, picture);
    QFETCH(QString, action);
    bool checked = false;
    m_dialogs->modalHandlers.enqueue([&](QDialog *window) {
        [&] {
            QCOMPARE(window->objectName(), className);
            QCOMPARE(window->windowTitle(), caption);
            QCOMPARE(window->size(), QSize(364, 287));
            QCOMPARE(window->minimumSize(), window->maximumSize());
            QVERIFY(!window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
            QVERIFY(window->findChild<QSvgWidget *>(picture));
            auto *cancel = window->findChild<QPushButton *>(QStringLiteral("btnAnnulla"));
            auto *button = window->findChild<QPushButton *>(QStringLiteral("btnStampa"));
            QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
            QCOMPARE(button->text(), action);
            QVERIFY(cancel->geometry().center().x() < button->geometry().center().x());
            QVERIFY(std::abs(window->geometry().center().x() - editorOf(Card(card))->geometry().center().x()) <= 1);
            QVERIFY(std::abs(window->geometry().center().y() - editorOf(Card(card))->geometry().center().y()) <= 1);
            const bool vehicle = Card(card) != Card::Client;
            for (const QString &hidden : {QStringLiteral("imgLogo"), QStringLiteral("imgTemp")}) {
                auto *label = window->findChild<QLabel *>(hidden);
                QCOMPARE(label != nullptr, vehicle);
                if (label) {
                    QVERIFY(!label->isVisible());
                    QVERIFY(!label->pixmap().isNull());
                }
            }
            if (vehicle) {
                QCOMPARE(
                    window->findChild<QLabel *>(QStringLiteral("imgTemp"))->pixmap().deviceIndependentSize().toSize(),
                    QSize(297, 184));
            }
            checked = true;
        }();
        return 0;
    });
    run(Card(card));
    QVERIFY(checked);
    QCOMPARE(m_dialogs->modalShown, QStringList{className});
    QCOMPARE(m_dialogs->printDialogs, 0);
}

void TestCards::everyTextObjectIsFilledFromItsField_data()
{
    QTest::addColumn<bool>("vehicle");
    QTest::addColumn<int>("fields");
    QTest::newRow("client card") << false << 26;
    QTest::newRow("vehicle card") << true << 32;
}

void TestCards::everyTextObjectIsFilledFromItsField()
{
    QFETCH(bool, vehicle);
    QFETCH(int, fields);
    // Each field holds its own name, padded with blanks where it has room.
    ui::EditorWindow *editor = vehicle ? static_cast<ui::EditorWindow *>(m_fleet) : m_clients;
    QHash<QString, QString> typed;
    for (QLineEdit *edit : editor->findChildren<QLineEdit *>()) {
        if (!edit->objectName().startsWith(QLatin1String("txt")))
            continue;
        const QString value = edit->objectName().mid(3).left(edit->maxLength());
        typed.insert(edit->objectName().toLower(), value);
        edit->setText(value.size() + 2 <= edit->maxLength() ? QStringLiteral(" ") + value + QStringLiteral("\t")
                                                            : value);
    }
    Report report = Report::load(vehicle ? fleet::kVehicleCardTemplate : clients::kClientCardTemplate);
    if (vehicle)
        fleet::fillVehicleCard(report, editor->engine()->collect(), fleet::fallbackPicture());
    else
        clients::fillClientCard(report, editor->engine()->collect(), QDateTime::currentDateTime());
    const PreparedPage page = prepare(report).pages.value(0);
    QCOMPARE(page.paper, QSizeF(210, 297));
    QCOMPARE(page.orientation, Orientation::Portrait);
    int filled = 0;
    for (const PreparedItem &item : page.items) {
        if (!item.name.startsWith(QLatin1String("txt")) || item.name == QLatin1String("txtNome")
            || item.name == QLatin1String("txtCalce"))
            continue;
        ++filled;
        QVERIFY2(typed.contains(item.name.toLower()), qPrintable(item.name));
        QCOMPARE(item.text(), typed.value(item.name.toLower()));
    }
    QCOMPARE(filled, fields);
    // The VIN control is txtVIN, its object on paper txtVin.
    if (vehicle)
        QCOMPARE(report.textObject(QStringLiteral("txtVin")).text(), QStringLiteral("VIN"));
    // The editor is read, never changed.
    QCOMPARE(editor->field("Notes")->text(), QStringLiteral(" Notes\t"));
}

void TestCards::clientCardPrintsTheScreenAtItsRows_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::newRow("name, first row") << QStringLiteral("txtName") << 1 << QStringLiteral("Name:");
    QTest::newRow("e-mail") << QStringLiteral("txtEmail") << 12 << QStringLiteral("E-mail:");
    QTest::newRow("licence") << QStringLiteral("txtLicense") << 17 << QStringLiteral("Driver's");
    QTest::newRow("pending issues") << QStringLiteral("txtIssues") << 21 << QStringLiteral("Pending");
    QTest::newRow("card details") << QStringLiteral("txtBank") << 24 << QStringLiteral("Credit");
    QTest::newRow("notes, last row") << QStringLiteral("txtNotes") << 26 << QStringLiteral("Notes:");
}

void TestCards::clientCardPrintsTheScreenAtItsRows()
{
    QFETCH(QString, control);
    QFETCH(int, row);
    QFETCH(QString, caption);
    fill(m_clients, kClient);
    const QStringList before = texts(m_clients);
    const testing::PdfText pdf = printed(Card::Client, QStringLiteral("client_card.pdf"));
    QCOMPARE(texts(m_clients), before);
    QCOMPARE(pdf.pages.size(), 1);
    QVERIFY(near(pdf.pages[0].width(), 210, 0.2) && near(pdf.pages[0].height(), 297, 0.2));
    const QString expected = ui::trimControl(m_clients->findChild<QLineEdit *>(control)->text());
    const QRectF box = clientValue(row);
    QCOMPARE(pdf.textIn(0, box), expected);
    const testing::PdfWord first = pdf.find(0, expected.section(QLatin1Char(' '), 0, 0), box.topLeft());
    QVERIFY2(near(first.box.left(), box.left(), 0.5), qPrintable(QString::number(first.box.left())));
    QVERIFY2(near(first.box.center().y(), box.center().y(), 0.6), qPrintable(QString::number(first.box.top())));
    // The caption of the row stands left of the separating line.
    const testing::PdfWord title = pdf.find(0, caption, onSheet(2.0, 2 + 5 * row, 0, 0).topLeft());
    QVERIFY(near(title.box.left(), 12.0, 0.5));
    QVERIFY(near(title.box.center().y(), box.center().y(), 0.6));
    QCOMPARE(pdf.textIn(0, onSheet(2.0, 2.0, 185.8, 4.2)), QStringLiteral("CLIENT'S DATA"));
}

void TestCards::vehicleCardPrintsTheScreenInItsCells_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QRectF>("box");
    QTest::newRow("type") << QStringLiteral("txtType") << QStringLiteral("TYPE OF VEHICLE") << vehicleValue(1, 100, 92);
    QTest::newRow("services") << QStringLiteral("txtServices") << QStringLiteral("SERVICES INCLUDED")
                              << vehicleValue(95, 100, 94);
    QTest::newRow("year, narrow cell") << QStringLiteral("txtYear") << QStringLiteral("YEAR")
                                       << vehicleValue(61, 130, 32);
    QTest::newRow("VIN into txtVin") << QStringLiteral("txtVIN") << QStringLiteral("VIN") << vehicleValue(1, 145, 48);
    QTest::newRow("tires, own position") << QStringLiteral("txtTires") << QStringLiteral("TIRES")
                                         << onSheet(2, 166.0, 89.9, 4.0);
    QTest::newRow("weight capacity") << QStringLiteral("txtWeight") << QStringLiteral("WEIGHT CAPACITY")
                                     << vehicleValue(48, 175, 45);
    QTest::newRow("insurance, wide cell")
        << QStringLiteral("txtInsurance") << QStringLiteral("INSURANCE") << vehicleValue(48, 190, 141);
    QTest::newRow("mechanic's phone") << QStringLiteral("txtPhoneMec") << QStringLiteral("PHONE")
                                      << vehicleValue(48, 235, 45);
    QTest::newRow("notes, own position") << QStringLiteral("txtNotes") << QStringLiteral("NOTES")
                                         << onSheet(2, 271.0, 186, 4.0);
}

void TestCards::vehicleCardPrintsTheScreenInItsCells()
{
    QFETCH(QString, control);
    QFETCH(QString, title);
    QFETCH(QRectF, box);
    fill(m_fleet, kVehicle);
    const QStringList before = texts(m_fleet);
    const testing::PdfText pdf = printed(Card::VehiclePrint, QStringLiteral("vehicle_card.pdf"));
    QCOMPARE(texts(m_fleet), before);
    QCOMPARE(pdf.pages.size(), 1);
    QCOMPARE(pdf.textIn(0, onSheet(2, 2.2, 186, 6)), QStringLiteral("Vehicle Details"));
    const QString expected = ui::trimControl(m_fleet->findChild<QLineEdit *>(control)->text());
    QCOMPARE(pdf.textIn(0, box), expected);
    const testing::PdfWord first = pdf.find(0, expected.section(QLatin1Char(' '), 0, 0), box.topLeft());
    QVERIFY2(near(first.box.left(), box.left(), 0.5), qPrintable(QString::number(first.box.left())));
    QVERIFY2(near(first.box.center().y(), box.center().y(), 0.6), qPrintable(QString::number(first.box.top())));
    // The title bar's text stands right above the value.
    const testing::PdfWord heading = pdf.find(0, title.section(QLatin1Char(' '), 0, 0), box.topLeft() - QPointF(0, 6));
    QVERIFY(near(heading.box.left(), box.left(), 0.5));
    QVERIFY(box.top() - heading.box.bottom() > 1.0 && box.top() - heading.box.bottom() < 4.0);
}

void TestCards::emptyEditorPrintsAnEmptyCard_data()
{
    QTest::addColumn<int>("card");
    QTest::newRow("client") << int(Card::Client);
    QTest::newRow("vehicle") << int(Card::VehiclePrint);
}

void TestCards::emptyEditorPrintsAnEmptyCard()
{
    QFETCH(int, card);
    // A new record, as the editor shows it after New.
    const testing::PdfText pdf = printed(Card(card), QStringLiteral("empty_card.pdf"));
    QVERIFY(!pdf.words.isEmpty());
    const Report design =
        Report::load(Card(card) == Card::Client ? clients::kClientCardTemplate : fleet::kVehicleCardTemplate);
    const PreparedPage page = prepare(design).pages.value(0);
    // Every printed word belongs to a caption, a title or the date line.
    for (const testing::PdfWord &word : pdf.words) {
        bool fixed = false;
        for (const PreparedItem &item : page.items) {
            if (item.kind != ObjectKind::Text || item.text().isEmpty())
                continue;
            if (item.rect.adjusted(-0.3, -1.0, 0.3, 1.0).contains(word.box))
                fixed = true;
        }
        QVERIFY2(fixed, qPrintable(word.text));
    }
    if (Card(card) == Card::Client) {
        for (int row = 1; row <= 26; ++row)
            QCOMPARE(pdf.textIn(0, clientValue(row)), QString());
        QVERIFY(pdf.textIn(0, onSheet(2, 140, 185.8, 4.2)).startsWith(QLatin1String("Printed on ")));
    } else {
        QCOMPARE(pdf.textIn(0, vehicleValue(1, 145, 48)), QString());
        QCOMPARE(pdf.textIn(0, onSheet(2, 271.0, 186, 4.0)), QString());
    }
}

void TestCards::longValuesAreCutNeverWrapped_data()
{
    QTest::addColumn<int>("card");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRectF>("box");
    QTest::addColumn<QRectF>("below"); // the next row's value, which must stay clear
    QTest::newRow("client street") << int(Card::Client) << QStringLiteral("txtStreet") << clientValue(5)
                                   << clientValue(6);
    QTest::newRow("vehicle engine number") << int(Card::VehiclePrint) << QStringLiteral("txtEngine")
                                           << vehicleValue(51, 145, 42) << onSheet(2, 166.0, 89.9, 4.0);
    QTest::newRow("vehicle notes") << int(Card::VehiclePrint) << QStringLiteral("txtNotes")
                                   << onSheet(2, 271.0, 186, 4.0) << onSheet(0, 276, 200, 10);
}

void TestCards::longValuesAreCutNeverWrapped()
{
    QFETCH(int, card);
    QFETCH(QString, control);
    QFETCH(QRectF, box);
    QFETCH(QRectF, below);
    QLineEdit *edit = editorOf(Card(card))->findChild<QLineEdit *>(control);
    QString value;
    for (int k = 1; value.size() < edit->maxLength(); ++k)
        value += QStringLiteral("word%1 ").arg(k);
    value = value.left(edit->maxLength()).trimmed();
    edit->setText(value);
    const testing::PdfText pdf = printed(Card(card), QStringLiteral("long_values.pdf"));
    const QString shown = pdf.textIn(0, box);
    QVERIFY(shown.size() > 3);
    QVERIFY2(value.startsWith(shown.left(shown.lastIndexOf(QLatin1Char(' ')))), qPrintable(shown));
    QVERIFY(shown.size() < value.size());
    // Nothing of it lands anywhere else: one line, cut at the right edge.
    for (const testing::PdfWord &word : pdf.words) {
        if (!word.text.startsWith(QLatin1String("word")))
            continue;
        QVERIFY2(box.adjusted(-0.3, -1.0, 0.3, 1.0).contains(word.box), qPrintable(word.text));
        QVERIFY(!below.intersects(word.box));
    }
}

void TestCards::bracketsArePrintedLiterally_data()
{
    QTest::addColumn<int>("card");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRectF>("box");
    QTest::newRow("client") << int(Card::Client) << QStringLiteral("txtCity") << clientValue(6);
    QTest::newRow("vehicle") << int(Card::VehiclePrint) << QStringLiteral("txtMake") << vehicleValue(1, 115, 92);
}

void TestCards::bracketsArePrintedLiterally()
{
    QFETCH(int, card);
    QFETCH(QString, control);
    QFETCH(QRectF, box);
    const QString value = QStringLiteral("[Date] [txtName] <b>x</b> &amp;");
    editorOf(Card(card))->findChild<QLineEdit *>(control)->setText(value);
    const testing::PdfText pdf = printed(Card(card), QStringLiteral("brackets.pdf"));
    QCOMPARE(pdf.textIn(0, box), value);
}

void TestCards::dateLineHasTheDayFirst()
{
    const QChar sep = ui::regionalDateSeparator();
    const QString line = clients::printedLine(QDateTime(QDate(2026, 3, 4), QTime(17, 5, 9)));
    const QString date = QStringLiteral("04%1").arg(sep) + QStringLiteral("03%1").arg(sep) + QStringLiteral("2026");
    QVERIFY2(line.startsWith(QStringLiteral("Printed on ") + date + QStringLiteral(" at ")), qPrintable(line));
    QVERIFY2(line.endsWith(QLatin1String(" hrs")), qPrintable(line));
    // Hours, minutes and seconds, and nothing of a time zone.
    static const QRegularExpression time(QStringLiteral("^Printed on \\S+ at (\\S+) hrs$"));
    const QRegularExpressionMatch m = time.match(line);
    QVERIFY2(m.hasMatch(), qPrintable(line));
    QVERIFY2(m.captured(1).contains(QLatin1String("17")) && m.captured(1).contains(QLatin1String("05"))
                 && m.captured(1).contains(QLatin1String("09")),
             qPrintable(line));
}

void TestCards::printedDateLineOfTheClientCard()
{
    const QDate before = QDate::currentDate();
    const testing::PdfText pdf = printed(Card::Client, QStringLiteral("client_date.pdf"));
    const QDate after = QDate::currentDate();
    const QString line = pdf.textIn(0, onSheet(2, 140, 185.8, 4.2));
    const bool today =
        line.startsWith(QStringLiteral("Printed on ") + ui::formatDate(before) + QStringLiteral(" at "))
        || line.startsWith(QStringLiteral("Printed on ") + ui::formatDate(after) + QStringLiteral(" at "));
    QVERIFY2(today, qPrintable(line));
    QVERIFY2(line.endsWith(QLatin1String(" hrs")), qPrintable(line));
    // Centred on the gold band.
    const testing::PdfWord first = pdf.find(0, QStringLiteral("Printed"));
    const testing::PdfWord last = pdf.find(0, QStringLiteral("hrs"));
    QVERIFY(near((first.box.left() + last.box.right()) / 2, 10 + 2 + 185.8 / 2, 0.6));
}

void TestCards::vehiclePicture_data()
{
    QTest::addColumn<QString>("source"); // photo, placeholder, failing
    QTest::newRow("the vehicle's photo") << QStringLiteral("photo");
    QTest::newRow("no photo: the placeholder car") << QStringLiteral("placeholder");
    QTest::newRow("photo area not copied: the euro sign") << QStringLiteral("failing");
}

void TestCards::vehiclePicture()
{
    QFETCH(QString, source);
    QImage expected;
    if (source == QLatin1String("photo")) {
        const std::optional<fleet::Photo> photo =
            fleet::Photo::fromBytes(fleettesting::jpeg(QSize(900, 300), Qt::red), fleet::TfrmFleet::photoDisplayBox());
        QVERIFY(photo);
        m_fleet->setPhoto(*photo);
        expected = fleettesting::picture(QSize(900, 300), Qt::red);
    } else if (source == QLatin1String("placeholder")) {
        QVERIFY(m_fleet->photo().isPlaceholder());
        expected = svgPicture(fleet::kPlaceholderArtwork);
    } else {
        expected = fleet::fallbackPicture();
        QCOMPARE(expected.deviceIndependentSize().toSize(), QSize(297, 184));
    }
    PreparedPage shown;
    QImage held;
    m_dialogs->modalHandlers.enqueue([&](QDialog *dialog) {
        auto *window = static_cast<fleet::VehicleCardWindow *>(dialog);
        if (source == QLatin1String("failing")) {
            // Copying is done at showing: show the window again with a
            // source that fails.
            window->hide();
            window->setPictureSource([] { return QImage(); });
            window->show();
        }
        held = window->findChild<QLabel *>(QStringLiteral("imgLogo"))->pixmap().toImage();
        window->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click();
        return window->result();
    });
    m_dialogs->modalHandlers.enqueue([&](QDialog *dialog) {
        shown = qobject_cast<TfrmReportPreview *>(dialog)->report().pages.value(0);
        dialog->close();
        return 0;
    });
    fleet::previewVehicleCard(m_fleet);
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(difference(held, expected) < 0.05);
    const PreparedItem *picture = shown.find(QStringLiteral("imgLogo"));
    QVERIFY(picture);
    QVERIFY2(difference(picture->picture, expected) < 0.05,
             qPrintable(QString::number(difference(picture->picture, expected))));
    // Fitted into the 188 x 87 mm frame keeping its proportions, centred.
    QCOMPARE(picture->frame, onSheet(1, 11, 188, 87));
    const QSizeF natural = expected.deviceIndependentSize();
    QVERIFY(near(picture->rect.width() / picture->rect.height(), natural.width() / natural.height(), 0.02));
    QVERIFY(near(picture->rect.center().x(), picture->frame.center().x(), 0.01));
    QVERIFY(near(picture->rect.center().y(), picture->frame.center().y(), 0.01));
    QVERIFY(near(picture->rect.width(), 188, 0.01) || near(picture->rect.height(), 87, 0.01));
}

void TestCards::previewShowsTheCardAndPrintsIt()
{
    fill(m_fleet, kVehicle);
    const QStringList before = texts(m_fleet);
    QString title;
    m_dialogs->modalHandlers.enqueue([&](QDialog *dialog) {
        title = dialog->windowTitle();
        dialog->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click();
        return dialog->result();
    });
    QString previewTitle;
    m_dialogs->printerChoices.enqueue(true);
    m_dialogs->modalHandlers.enqueue([&](QDialog *dialog) {
        previewTitle = dialog->windowTitle();
        dialog->findChild<QToolButton *>(QStringLiteral("btnPrint"))->click();
        dialog->findChild<QToolButton *>(QStringLiteral("btnClose"))->click();
        return 0;
    });
    fleet::previewVehicleCard(m_fleet);
    QCOMPARE(title, QStringLiteral(" Preview"));
    QCOMPARE(m_dialogs->modalShown,
             (QStringList{QStringLiteral("TfrmPreviewVehicle"), QStringLiteral("TfrmReportPreview")}));
    QCOMPARE(previewTitle, QStringLiteral("Vehicle Details"));
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_dialogs->printDialogs, 1);
    QCOMPARE(m_dialogs->printerOffers[0].documentName, QStringLiteral("Vehicle Details"));
    QCOMPARE(m_dialogs->printerOffers[0].copies, 1);
    QCOMPARE(texts(m_fleet), before);
    keepCopy(printFile(), QStringLiteral("vehicle_preview.pdf"));
    const testing::PdfText pdf = testing::readPdfText(printFile());
    QCOMPARE(pdf.pages.size(), 1);
    QCOMPARE(pdf.textIn(0, vehicleValue(1, 145, 48)), QStringLiteral("ZFA35600006G12345"));
    QCOMPARE(pdf.textIn(0, vehicleValue(1, 100, 92)), QStringLiteral("Compact car"));
}

void TestCards::cancelPrintsNothing_data()
{
    QTest::addColumn<int>("card");
    QTest::newRow("client") << int(Card::Client);
    QTest::newRow("vehicle print") << int(Card::VehiclePrint);
    QTest::newRow("vehicle preview") << int(Card::VehiclePreview);
}

void TestCards::cancelPrintsNothing()
{
    QFETCH(int, card);
    fill(m_clients, kClient);
    fill(m_fleet, kVehicle);
    const QStringList before = texts(editorOf(Card(card)));
    m_dialogs->pressWhenShown(QStringLiteral("btnAnnulla"));
    run(Card(card));
    QCOMPARE(m_dialogs->modalShown.size(), 1);
    QCOMPARE(m_dialogs->printDialogs, 0);
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(!QFile::exists(printFile()));
    QCOMPARE(texts(editorOf(Card(card))), before);
}

void TestCards::cancelledPrintDialogIsNoError_data()
{
    QTest::addColumn<int>("card");
    QTest::newRow("client") << int(Card::Client);
    QTest::newRow("vehicle") << int(Card::VehiclePrint);
}

void TestCards::cancelledPrintDialogIsNoError()
{
    QFETCH(int, card);
    m_dialogs->printerChoices.enqueue(false);
    bool closed = false;
    m_dialogs->modalHandlers.enqueue([&closed](QDialog *dialog) {
        dialog->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click();
        closed = !dialog->isVisible();
        return dialog->result();
    });
    run(Card(card));
    QCOMPARE(m_dialogs->printDialogs, 1);
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(!QFile::exists(printFile()));
    QVERIFY(closed);
}

void TestCards::vehicleFailuresShowTheWindowsWarning_data()
{
    QTest::addColumn<bool>("print");
    QTest::addColumn<QByteArray>("object");
    QTest::addColumn<QString>("message");
    const QString printing = QStringLiteral("An error occurred while printing the record.");
    const QString loading = QStringLiteral("An error occurred while loading the preview.");
    QTest::newRow("print, value object missing") << true << QByteArray("txtSeats") << printing;
    QTest::newRow("print, picture object missing") << true << QByteArray("imgLogo") << printing;
    QTest::newRow("preview, value object missing") << false << QByteArray("txtVin") << loading;
}

void TestCards::vehicleFailuresShowTheWindowsWarning()
{
    QFETCH(bool, print);
    QFETCH(QByteArray, object);
    QFETCH(QString, message);
    std::unique_ptr<fleet::VehicleCardWindow> window;
    if (print)
        window = std::make_unique<fleet::TfrmPrintVehicle>(m_fleet);
    else
        window = std::make_unique<fleet::TfrmPreviewVehicle>(m_fleet);
    const QString broken = brokenTemplate(fleet::kVehicleCardTemplate, object);
    QVERIFY(!broken.isEmpty());
    window->setTemplatePath(broken);
    m_dialogs->printerChoices.enqueue(true);
    m_dialogs->pressWhenShown(QStringLiteral("btnStampa"));
    ui::Dialogs::instance().execModal(window.get());
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Warning);
    QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(m_dialogs->messages[0].text, message);
    // Nothing printed or shown after the failure, and the window closed.
    QCOMPARE(m_dialogs->printDialogs, 0);
    QCOMPARE(m_dialogs->modalShown.size(), 1);
    QVERIFY(!window->isVisible());
}

void TestCards::clientFailureIsReportedAndTheWindowStays()
{
    clients::TfrmPrintClient window(m_clients);
    const QString broken = brokenTemplate(clients::kClientCardTemplate, "txtCalce");
    QVERIFY(!broken.isEmpty());
    window.setTemplatePath(broken);
    m_dialogs->printerChoices.enqueue(true);
    bool open = false;
    m_dialogs->modalHandlers.enqueue([&open](QDialog *dialog) {
        dialog->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click();
        open = dialog->isVisible();
        dialog->findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->click();
        return dialog->result();
    });
    ui::Dialogs::instance().execModal(&window);
    QVERIFY(open);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Error);
    QVERIFY2(m_dialogs->messages[0].text.contains(QLatin1String("txtCalce")), qPrintable(m_dialogs->messages[0].text));
    QCOMPARE(m_dialogs->printDialogs, 0);
    QVERIFY(!QFile::exists(printFile()));
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestCards)
#include "test_cards.moc"
