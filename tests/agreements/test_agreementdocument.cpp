#include "agreements/agreementdocument.h"
#include "agreements/agreementeditor.h"
#include "agreements/logo.h"
#include "app/startup.h"
#include "report/pictures.h"
#include "report/reportoutput.h"
#include "report/reportpreview.h"
#include "support/pdfwords.h"
#include "support/testsupport.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/editor/editorwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSvgWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace agreements;
using namespace report;

namespace {

// The agreement editor's 43 text fields in record order.
const QStringList kFields = {
    QStringLiteral("txtCompany01"),      QStringLiteral("txtCompany02"),   QStringLiteral("txtCompany03"),
    QStringLiteral("txtCompany04"),      QStringLiteral("txtNumber"),      QStringLiteral("txtDate"),
    QStringLiteral("txtName"),           QStringLiteral("txtGender"),      QStringLiteral("txtBirthDate"),
    QStringLiteral("txtBirthPlace"),     QStringLiteral("txtMobilePhone"), QStringLiteral("txtStreet"),
    QStringLiteral("txtCity"),           QStringLiteral("txtState"),       QStringLiteral("txtZip"),
    QStringLiteral("txtLicense"),        QStringLiteral("txtIssDate"),     QStringLiteral("txtExpDate"),
    QStringLiteral("txtAuthority"),      QStringLiteral("txtType"),        QStringLiteral("txtMake"),
    QStringLiteral("txtModel"),          QStringLiteral("txtPlate"),       QStringLiteral("txtVIN"),
    QStringLiteral("txtDamage"),         QStringLiteral("txtInsurance"),   QStringLiteral("txtOdoOut"),
    QStringLiteral("txtOdoIn"),          QStringLiteral("txtFuelOut"),     QStringLiteral("txtFuelIn"),
    QStringLiteral("txtServices"),       QStringLiteral("txtExtra"),       QStringLiteral("txtDaily"),
    QStringLiteral("txtDays"),           QStringLiteral("txtDeposit"),     QStringLiteral("txtTotal"),
    QStringLiteral("txtPayment"),        QStringLiteral("txtPickUpDate"),  QStringLiteral("txtPickUpTime"),
    QStringLiteral("txtPickUpLocation"), QStringLiteral("txtReturnDate"),  QStringLiteral("txtReturnTime"),
    QStringLiteral("txtReturnLocation"),
};

// A typical agreement as the desk types it (values padded with blanks
// where a user might leave some).
const QList<std::pair<QString, QString>> kAgreement = {
    {QStringLiteral("txtCompany01"), QStringLiteral("  Riviera Car Rental S.r.l.")},
    {QStringLiteral("txtCompany02"), QStringLiteral("Viale Regina Elena 112, 47921 Rimini (RN)")},
    {QStringLiteral("txtCompany03"), QStringLiteral("Tel. +39 0541 123456 - info@rivieracar.example")},
    {QStringLiteral("txtCompany04"), QStringLiteral("VAT IT01234567890")},
    {QStringLiteral("txtNumber"), QStringLiteral(" 1042 ")},
    {QStringLiteral("txtDate"), QStringLiteral("14/07/2026")},
    {QStringLiteral("txtName"), QStringLiteral("Johnson Emily")},
    {QStringLiteral("txtGender"), QStringLiteral("F")},
    {QStringLiteral("txtBirthDate"), QStringLiteral("03/11/1988")},
    {QStringLiteral("txtBirthPlace"), QStringLiteral("Leeds (UK)")},
    {QStringLiteral("txtMobilePhone"), QStringLiteral("+44 7700 900123")},
    {QStringLiteral("txtStreet"), QStringLiteral("27 Kirkstall Road")},
    {QStringLiteral("txtCity"), QStringLiteral("Leeds")},
    {QStringLiteral("txtState"), QStringLiteral("United Kingdom")},
    {QStringLiteral("txtZip"), QStringLiteral("LS3 1LH")},
    {QStringLiteral("txtLicense"), QStringLiteral("JOHNS811038E99LK")},
    {QStringLiteral("txtIssDate"), QStringLiteral("12/05/2019")},
    {QStringLiteral("txtExpDate"), QStringLiteral("11/05/2029")},
    {QStringLiteral("txtAuthority"), QStringLiteral("DVLA Swansea")},
    {QStringLiteral("txtType"), QStringLiteral("Compact car")},
    {QStringLiteral("txtMake"), QStringLiteral("Fiat")},
    {QStringLiteral("txtModel"), QStringLiteral("Tipo 1.6 Multijet")},
    {QStringLiteral("txtPlate"), QStringLiteral("GH 482 KT")},
    {QStringLiteral("txtVIN"), QStringLiteral("ZFA35600006G12345")},
    {QStringLiteral("txtDamage"), QStringLiteral("Small scratch on the rear bumper (S)")},
    {QStringLiteral("txtInsurance"), QStringLiteral("Full cover, excess EUR 500")},
    {QStringLiteral("txtOdoOut"), QStringLiteral("48,215 km")},
    {QStringLiteral("txtOdoIn"), QString()},
    {QStringLiteral("txtFuelOut"), QStringLiteral("Full")},
    {QStringLiteral("txtFuelIn"), QString()},
    {QStringLiteral("txtServices"), QStringLiteral("Unlimited mileage, roadside assistance, second driver")},
    {QStringLiteral("txtExtra"), QStringLiteral("Child seat EUR 5/day")},
    {QStringLiteral("txtDaily"), QStringLiteral("EUR 45.00")},
    {QStringLiteral("txtDays"), QStringLiteral("7")},
    {QStringLiteral("txtDeposit"), QStringLiteral("EUR 300.00")},
    {QStringLiteral("txtTotal"), QStringLiteral("EUR 350.00")},
    {QStringLiteral("txtPayment"), QStringLiteral("Visa **** 4321, deposit blocked on the card")},
    {QStringLiteral("txtPickUpDate"), QStringLiteral("14/07/2026")},
    {QStringLiteral("txtPickUpTime"), QStringLiteral("09:30")},
    {QStringLiteral("txtPickUpLocation"), QStringLiteral("Rimini Airport")},
    {QStringLiteral("txtReturnDate"), QStringLiteral("21/07/2026")},
    {QStringLiteral("txtReturnTime"), QStringLiteral("18:00")},
    {QStringLiteral("txtReturnLocation"), QStringLiteral("Rimini Centre")},
};

// The agreement editor's field `name` ("txt...").
QLineEdit *fieldOf(const QWidget *editor, const QString &name) { return editor->findChild<QLineEdit *>(name); }

void fill(QWidget *editor, const QList<std::pair<QString, QString>> &values)
{
    for (const auto &[name, value] : values)
        fieldOf(editor, name)->setText(value);
}

QStringList texts(const QWidget *editor)
{
    QStringList out;
    for (const QString &name : kFields)
        out.append(fieldOf(editor, name)->text());
    return out;
}

records::Record recordOf(const QWidget *editor)
{
    return static_cast<const ui::EditorWindow *>(editor)->engine()->collect();
}

struct Box {
    QString name;
    QRectF rect;
};

bool near(double a, double b, double tolerance) { return std::abs(a - b) <= tolerance; }

PreparedPage preparedAgreement(const QWidget *editor, const QString &templatePath = kAgreementTemplate,
                               const QImage &logo = defaultLogo())
{
    Report report = Report::load(templatePath);
    fillAgreement(report, recordOf(editor), logo);
    return prepare(report).pages.value(0);
}

QString trimmedValue(const QString &name)
{
    for (const auto &[field, value] : kAgreement) {
        if (field == name)
            return value.trimmed();
    }
    return {};
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

} // namespace

class TestAgreementDocument final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void windowsLookAsDesigned_data();
    void windowsLookAsDesigned();
    void everyTextObjectIsFilledFromItsField();
    void paperTrimsOnlyControlCharacters();
    void composedValues_data();
    void composedValues();
    void objectsStandWhereDesigned_data();
    void objectsStandWhereDesigned();
    void longValuesAreCutNeverWrapped();
    void logo_data();
    void logo();
    void printedPdfShowsTheAgreementAtItsPlaces();
    void cancelPrintsNothing();
    void cancelledPrintDialogIsNoError();
    void failuresShowTheWindowsWarning_data();
    void failuresShowTheWindowsWarning();
    void previewShowsThePreviewLayoutAndPrintsIt();
    void italianCaptionsChangeNothingOnPaper();

private:
    QString printFile() const { return m_data->root() + QStringLiteral("/agreement.pdf"); }

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    agreements::TfrmRent_Receipts *m_editor = nullptr;
};

void TestAgreementDocument::initTestCase() { app::prepareApplication(*qApp); }

void TestAgreementDocument::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    m_dialogs->printFile = printFile();
    m_editor = new agreements::TfrmRent_Receipts;
    m_editor->setGeometry(0, 0, 1366, 768);
    // Showing starts a new agreement; the fields are typed afterwards.
    m_editor->show();
    fill(m_editor, kAgreement);
}

void TestAgreementDocument::cleanup()
{
    delete m_editor;
    delete m_dialogs;
    delete m_data;
}

void TestAgreementDocument::windowsLookAsDesigned_data()
{
    QTest::addColumn<bool>("print");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("action");
    QTest::newRow("print") << true << QStringLiteral("TfrmStampaRic") << QStringLiteral(" Print")
                           << QStringLiteral("imgLogo01") << QStringLiteral("Print");
    QTest::newRow("preview") << false << QStringLiteral("TfrmAnteprimaRic") << QStringLiteral(" Preview")
                             << QStringLiteral("icoInf01") << QStringLiteral("Show preview");
}

void TestAgreementDocument::windowsLookAsDesigned()
{
    QFETCH(bool, print);
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(QString, picture);
    QFETCH(QString, action);
    std::unique_ptr<AgreementWindow> window;
    if (print)
        window = std::make_unique<TfrmStampaRic>(m_editor);
    else
        window = std::make_unique<TfrmAnteprimaRic>(m_editor);
    window->show();
    QCOMPARE(window->objectName(), className);
    QCOMPARE(window->windowTitle(), caption);
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowMinMaxButtonsHint));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(window->findChild<QSvgWidget *>(picture));
    QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->text(), QStringLiteral("Cancel"));
    QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("btnStampa"))->text(), action);
    for (const QString &hidden : {QStringLiteral("imgLogo"), QStringLiteral("imgTemp")}) {
        auto *label = window->findChild<QLabel *>(hidden);
        QVERIFY(label);
        QVERIFY(!label->isVisible());
        QVERIFY(!label->pixmap().isNull());
    }
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("imgTemp"))->pixmap().deviceIndependentSize().toSize(),
             QSize(297, 184));
    // Centred over the editor.
    QVERIFY(std::abs(window->geometry().center().x() - m_editor->geometry().center().x()) <= 1);
    QVERIFY(std::abs(window->geometry().center().y() - m_editor->geometry().center().y()) <= 1);
}

void TestAgreementDocument::everyTextObjectIsFilledFromItsField()
{
    // Each field holds its own name, padded with blanks where it has room
    // (the one-character gender field holds just "G").
    QHash<QString, QString> typed;
    for (const QString &name : kFields) {
        QLineEdit *edit = fieldOf(m_editor, name);
        const QString value = name.mid(3).left(edit->maxLength());
        typed.insert(name.mid(3), value);
        edit->setText(value.size() + 2 <= edit->maxLength() ? QStringLiteral(" ") + value + QStringLiteral(" ")
                                                            : value);
    }
    const PreparedPage page = preparedAgreement(m_editor);
    QCOMPARE(page.paper, QSizeF(210, 297));
    QCOMPARE(page.paperSizeCode, 256);
    int filled = 0;
    for (const PreparedItem &item : page.items) {
        if (!item.name.startsWith(QLatin1String("txt")))
            continue;
        ++filled;
        const QString field = item.name.mid(3);
        QString expected = typed.value(field);
        if (field == QLatin1String("Number"))
            expected = QStringLiteral("Rental Agreement No. Number");
        else if (field == QLatin1String("Date"))
            expected = QStringLiteral("Date:  Date");
        else if (field == QLatin1String("Make"))
            expected = QStringLiteral("Make Model");
        QCOMPARE(item.text(), expected);
    }
    QCOMPARE(filled, 42);
    // The editor is read, never changed.
    QCOMPARE(fieldOf(m_editor, QStringLiteral("txtName"))->text(), QStringLiteral(" Name "));
}

void TestAgreementDocument::paperTrimsOnlyControlCharacters()
{
    // One trimming rule everywhere: codes 32 and below go, a non-breaking
    // space is text like any other.
    records::Record agreement(records::agreementLayout());
    agreement.setText("Number", "\t 12 \r\n");
    agreement.setText("Name", "\u00A0Rossi\u00A0");
    Report report = Report::load(kAgreementTemplate);
    fillAgreement(report, agreement, defaultLogo());
    QCOMPARE(report.textObject(QStringLiteral("txtNumber")).text(), QStringLiteral("Rental Agreement No. 12"));
    QCOMPARE(report.textObject(QStringLiteral("txtName")).text(), QStringLiteral("\u00A0Rossi\u00A0"));
}

void TestAgreementDocument::composedValues_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("make");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("numberText");
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<QString>("makeText");
    QTest::newRow("typical") << QStringLiteral("17") << QStringLiteral("02/03/2026") << QStringLiteral("Fiat")
                             << QStringLiteral("Panda") << QStringLiteral("Rental Agreement No. 17")
                             << QStringLiteral("Date:  02/03/2026") << QStringLiteral("Fiat Panda");
    QTest::newRow("blanks trimmed") << QStringLiteral("  17\t") << QStringLiteral("\t2/3/2026 ")
                                    << QStringLiteral(" Fiat ") << QStringLiteral(" Panda ")
                                    << QStringLiteral("Rental Agreement No. 17") << QStringLiteral("Date:  2/3/2026")
                                    << QStringLiteral("Fiat Panda");
    QTest::newRow("empty number, no model")
        << QString() << QString() << QStringLiteral("Fiat") << QString() << QStringLiteral("Rental Agreement No. ")
        << QStringLiteral("Date:  ") << QStringLiteral("Fiat ");
    QTest::newRow("model without make") << QStringLiteral("1") << QStringLiteral("x") << QString()
                                        << QStringLiteral("Panda") << QStringLiteral("Rental Agreement No. 1")
                                        << QStringLiteral("Date:  x") << QStringLiteral(" Panda");
    QTest::newRow("brackets are literal")
        << QStringLiteral("[N]") << QStringLiteral("[DATE]") << QStringLiteral("<b>") << QStringLiteral("&amp;")
        << QStringLiteral("Rental Agreement No. [N]") << QStringLiteral("Date:  [DATE]") << QStringLiteral("<b> &amp;");
}

void TestAgreementDocument::composedValues()
{
    QFETCH(QString, number);
    QFETCH(QString, date);
    QFETCH(QString, make);
    QFETCH(QString, model);
    QFETCH(QString, numberText);
    QFETCH(QString, dateText);
    QFETCH(QString, makeText);
    fieldOf(m_editor, QStringLiteral("txtNumber"))->setText(number);
    fieldOf(m_editor, QStringLiteral("txtDate"))->setText(date);
    fieldOf(m_editor, QStringLiteral("txtMake"))->setText(make);
    fieldOf(m_editor, QStringLiteral("txtModel"))->setText(model);
    const PreparedPage page = preparedAgreement(m_editor);
    QCOMPARE(page.find(QStringLiteral("txtNumber"))->text(), numberText);
    QCOMPARE(page.find(QStringLiteral("txtDate"))->text(), dateText);
    QCOMPARE(page.find(QStringLiteral("txtMake"))->text(), makeText);
}

void TestAgreementDocument::objectsStandWhereDesigned_data()
{
    QTest::addColumn<QString>("templatePath");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("align"); // 0 left/centred, 1 centred/centred, 2 left/top, 3 centred/top
    const QString print = kAgreementTemplate;
    const QString preview = kAgreementPreviewTemplate;
    const QColor black(Qt::black);
    const QColor brown(0xA5, 0x2A, 0x2A);
    const QString arial = QStringLiteral("Arial");
    QTest::newRow("number") << print << QStringLiteral("txtNumber") << QRectF(133.0, 16.6, 62.0, 6.0)
                            << QStringLiteral("Rental Agreement No. 1042") << arial << 12.0 << true << black << 0;
    QTest::newRow("date") << print << QStringLiteral("txtDate") << QRectF(133.0, 27.4, 62.0, 6.0)
                          << QStringLiteral("Date:  14/07/2026") << arial << 12.0 << false << black << 0;
    QTest::newRow("company") << print << QStringLiteral("txtCompany01") << QRectF(55.0, 14.0, 73.0, 4.0)
                             << QStringLiteral("Riviera Car Rental S.r.l.") << arial << 9.0 << false << black << 0;
    QTest::newRow("caption") << print << QStringLiteral("Memo5") << QRectF(17.0, 49.0, 58.0, 4.2)
                             << QStringLiteral("NAME") << arial << 9.0 << true << black << 0;
    QTest::newRow("top caption") << print << QStringLiteral("Memo9") << QRectF(141.0, 63.0, 52.0, 4.2)
                                 << QStringLiteral("CITY") << arial << 9.0 << true << black << 2;
    QTest::newRow("gender centred") << print << QStringLiteral("txtGender") << QRectF(79.0, 55.0, 15.0, 4.4)
                                    << QStringLiteral("F") << arial << 9.0 << false << black << 1;
    QTest::newRow("make and model") << print << QStringLiteral("txtMake") << QRectF(137.0, 115.0, 57.0, 4.4)
                                    << QStringLiteral("Fiat Tipo 1.6 Multijet") << arial << 8.0 << false << black << 0;
    QTest::newRow("band title") << print << QStringLiteral("Memo26") << QRectF(15.0, 41.8, 180.0, 4.4)
                                << QStringLiteral("DRIVER'S INFORMATION") << arial << 8.0 << true << black << 1;
    QTest::newRow("total in brown") << print << QStringLiteral("txtTotal") << QRectF(166.0, 217.6, 29.0, 4.0)
                                    << QStringLiteral("EUR 350.00") << arial << 7.0 << true << brown << 0;
    QTest::newRow("legend") << print << QStringLiteral("Memo43") << QRectF(15.0, 161.0, 78.0, 3.6)
                            << QStringLiteral(
                                   "Use the appropriate letter from this Legend to mark any damage on the vehicle.")
                            << arial << 6.0 << false << black << 0;
    QTest::newRow("signature") << print << QStringLiteral("Memo12") << QRectF(121.0, 283.0, 79.0, 3.4)
                               << QStringLiteral("(RENTAL AGENT'S SIGNATURE)") << arial << 7.0 << false << black << 3;
    QTest::newRow("preview number") << preview << QStringLiteral("txtNumber") << QRectF(131.0, 16.6, 64.0, 6.0)
                                    << QStringLiteral("Rental Agreement No. 1042") << arial << 12.0 << true << black
                                    << 0;
    QTest::newRow("preview company") << preview << QStringLiteral("txtCompany04") << QRectF(55.0, 32.0, 72.0, 4.0)
                                     << QStringLiteral("VAT IT01234567890") << arial << 9.0 << false << black << 0;
    QTest::newRow("preview signature") << preview << QStringLiteral("Memo14") << QRectF(10.0, 282.0, 79.0, 3.4)
                                       << QStringLiteral("(DRIVER'S SIGNATURE)") << arial << 7.0 << false << black << 3;
}

void TestAgreementDocument::objectsStandWhereDesigned()
{
    QFETCH(QString, templatePath);
    QFETCH(QString, name);
    QFETCH(QRectF, rect);
    QFETCH(QString, text);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(QColor, colour);
    QFETCH(int, align);
    const PreparedPage page = preparedAgreement(m_editor, templatePath);
    const PreparedItem *item = page.find(name);
    QVERIFY(item);
    QVERIFY2(near(item->rect.left(), rect.left(), 1e-9) && near(item->rect.top(), rect.top(), 1e-9)
                 && near(item->rect.width(), rect.width(), 1e-9) && near(item->rect.height(), rect.height(), 1e-9),
             qPrintable(name));
    QCOMPARE(item->text(), text);
    QCOMPARE(item->font.family, family);
    QCOMPARE(item->font.points, points);
    QCOMPARE(item->font.bold, bold);
    QCOMPARE(item->font.colour, colour);
    QCOMPARE(item->lines.size(), 1);
    const QRectF line = item->lines[0].box;
    const bool centred = align == 1 || align == 3;
    const bool top = align >= 2;
    if (centred)
        QVERIFY(near(line.center().x(), rect.center().x(), 0.01));
    else
        QVERIFY(near(line.left(), rect.left(), 0.5));
    if (top)
        QVERIFY(near(line.top(), rect.top(), 0.5));
    else
        QVERIFY(near(line.center().y(), rect.center().y(), 0.01));
}

void TestAgreementDocument::longValuesAreCutNeverWrapped()
{
    const QString longLine = QStringLiteral("Riviera Car Rental S.r.l. - Noleggio auto e furgoni - Rimini, Riccione, "
                                            "Cattolica, Cesenatico");
    fieldOf(m_editor, QStringLiteral("txtCompany01"))->setText(longLine);
    fieldOf(m_editor, QStringLiteral("txtStreet"))->setText(longLine + longLine);
    const PreparedPage page = preparedAgreement(m_editor);
    for (const PreparedItem &item : page.items) {
        if (item.kind != ObjectKind::Text)
            continue;
        QVERIFY2(item.lines.size() <= 1, qPrintable(item.name));
        for (const PreparedLine &line : item.lines)
            QVERIFY2(line.box.right() <= item.rect.right() + 1e-9, qPrintable(item.name));
    }
    const QString company = page.find(QStringLiteral("txtCompany01"))->text();
    QVERIFY(longLine.startsWith(company));
    QVERIFY(company.size() < longLine.size());
    QVERIFY(company.size() > 30);
    QVERIFY(longLine.startsWith(page.find(QStringLiteral("txtStreet"))->text()));
}

void TestAgreementDocument::logo_data()
{
    QTest::addColumn<QByteArray>("format"); // empty: no logo file
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRectF>("expected");
    QTest::addColumn<bool>("isDefault");
    // The frame is 39.4 x 22.0 mm at (14, 14); the default logo is 297 x 184.
    const QRectF defaultRect(14, 14, 22.0 * 297 / 184, 22.0);
    QTest::newRow("no logo file") << QByteArray() << QSize() << defaultRect << true;
    QTest::newRow("wide bitmap") << QByteArray("BMP") << QSize(400, 100) << QRectF(14, 14, 39.4, 9.85) << false;
    QTest::newRow("tall picture saved as bmp")
        << QByteArray("PNG") << QSize(100, 200) << QRectF(14, 14, 11, 22) << false;
    QTest::newRow("erased logo") << QByteArray("BMP") << QSize(2, 2) << QRectF(14, 14, 22, 22) << false;
    QTest::newRow("unreadable file") << QByteArray("junk") << QSize() << defaultRect << true;
}

void TestAgreementDocument::logo()
{
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QFETCH(QRectF, expected);
    QFETCH(bool, isDefault);
    const QString logoFile = m_data->file(QStringLiteral("Logo.bmp"));
    QDir().mkpath(m_data->dataFolder());
    if (format == "junk") {
        testing::writeFile(logoFile, QByteArray("BM this is not a picture"));
    } else if (!format.isEmpty()) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QVERIFY(image.save(logoFile, format.constData()));
    }
    PreparedReport prepared;
    m_dialogs->modalHandlers.enqueue([&prepared](QDialog *dialog) {
        auto *window = static_cast<AgreementWindow *>(dialog);
        Report report = Report::load(kAgreementTemplate);
        fillAgreement(report, recordOf(window->editor()), window->logo());
        prepared = prepare(report);
        return 0;
    });
    printAgreement(m_editor);
    QCOMPARE(m_dialogs->printDialogs, 0);
    const PreparedItem *logo = prepared.pages.value(0).find(QStringLiteral("imgLogo"));
    QVERIFY(logo);
    QVERIFY2(near(logo->rect.left(), expected.left(), 0.01) && near(logo->rect.top(), expected.top(), 0.01)
                 && near(logo->rect.width(), expected.width(), 0.01)
                 && near(logo->rect.height(), expected.height(), 0.01),
             qPrintable(QStringLiteral("%1 x %2").arg(logo->rect.width()).arg(logo->rect.height())));
    QCOMPARE(logo->picture.size() == defaultLogo().size(), isDefault);
    if (!isDefault)
        QCOMPARE(logo->picture.pixelColor(0, 0), QColor(Qt::white));
}

void TestAgreementDocument::printedPdfShowsTheAgreementAtItsPlaces()
{
    m_dialogs->printerChoices.enqueue(true);
    m_dialogs->pressWhenShown(QStringLiteral("btnStampa"));
    const QStringList before = texts(m_editor);
    printAgreement(m_editor);
    QCOMPARE(m_dialogs->modalShown, QStringList{QStringLiteral("TfrmStampaRic")});
    QCOMPARE(m_dialogs->printDialogs, 1);
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_dialogs->printerOffers[0].copies, 1);
    QVERIFY(m_dialogs->printerOffers[0].allPages);
    QCOMPARE(m_dialogs->printerOffers[0].documentName, QStringLiteral("Rental Agreement"));
    QCOMPARE(texts(m_editor), before);
    keepCopy(printFile(), QStringLiteral("agreement_print.pdf"));

    const testing::PdfText pdf = testing::readPdfText(printFile());
    QCOMPARE(pdf.pages.size(), 1);
    QVERIFY(near(pdf.pages[0].width(), 210, 0.2) && near(pdf.pages[0].height(), 297, 0.2));

    // Each text read back from paper stands in its object's box, starting at
    // the left edge (within half a millimetre) and centred vertically.
    const QList<Box> boxes = {
        {QStringLiteral("txtNumber"), QRectF(133.0, 16.6, 62.0, 6.0)},
        {QStringLiteral("txtCompany02"), QRectF(55.0, 20.0, 73.0, 4.0)},
        {QStringLiteral("txtName"), QRectF(18.0, 55.0, 56.0, 4.0)},
        {QStringLiteral("txtStreet"), QRectF(18.0, 69.0, 119.0, 4.0)},
        {QStringLiteral("txtLicense"), QRectF(18.0, 97.0, 50.0, 4.0)},
        {QStringLiteral("txtVIN"), QRectF(137.0, 121.0, 57.0, 4.4)},
        {QStringLiteral("txtDamage"), QRectF(38.0, 188.0, 157.0, 4.0)},
        {QStringLiteral("txtPickUpLocation"), QRectF(142.0, 207.6, 53.0, 4.0)},
        {QStringLiteral("txtPayment"), QRectF(44.0, 233.0, 151.0, 4.0)},
        {QStringLiteral("Memo60"), QRectF(15.0, 233.0, 27.0, 4.0)},
        {QStringLiteral("Memo34"), QRectF(13.0, 259.4, 185.0, 3.6)},
    };
    const PreparedPage page = preparedAgreement(m_editor);
    for (const Box &box : boxes) {
        const QString expected = page.find(box.name)->text();
        QCOMPARE(pdf.textIn(0, box.rect), expected);
        const QString first = expected.section(QLatin1Char(' '), 0, 0);
        const testing::PdfWord word = pdf.find(0, first, box.rect.topLeft());
        QVERIFY2(near(word.box.left(), box.rect.left(), 0.5), qPrintable(box.name));
        QVERIFY2(near(word.box.center().y(), box.rect.center().y(), 0.5), qPrintable(box.name));
    }
    // Nothing of a value crosses its box: every word lies inside a text object.
    for (const testing::PdfWord &word : pdf.words) {
        bool inside = false;
        for (const PreparedItem &item : page.items) {
            if (item.kind == ObjectKind::Text && item.rect.adjusted(-0.2, -1.0, 0.2, 1.0).contains(word.box))
                inside = true;
        }
        QVERIFY2(inside, qPrintable(word.text));
    }
}

void TestAgreementDocument::cancelPrintsNothing()
{
    m_dialogs->pressWhenShown(QStringLiteral("btnAnnulla"));
    printAgreement(m_editor);
    QCOMPARE(m_dialogs->modalShown, QStringList{QStringLiteral("TfrmStampaRic")});
    QCOMPARE(m_dialogs->printDialogs, 0);
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(!QFile::exists(printFile()));
}

void TestAgreementDocument::cancelledPrintDialogIsNoError()
{
    m_dialogs->printerChoices.enqueue(false);
    bool closed = false;
    m_dialogs->modalHandlers.enqueue([&closed](QDialog *dialog) {
        dialog->findChild<QPushButton *>(QStringLiteral("btnStampa"))->click();
        closed = !dialog->isVisible();
        return dialog->result();
    });
    printAgreement(m_editor);
    QCOMPARE(m_dialogs->printDialogs, 1);
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(!QFile::exists(printFile()));
    QVERIFY(closed);
}

void TestAgreementDocument::failuresShowTheWindowsWarning_data()
{
    QTest::addColumn<bool>("print");
    QTest::addColumn<QString>("failure"); // "template" or "kind"
    QTest::addColumn<QString>("message");
    const QString printing = QStringLiteral("An error occurred while printing the document.");
    const QString loading = QStringLiteral("An error occurred while loading the preview.");
    QTest::newRow("print, object missing") << true << QStringLiteral("template") << printing;
    QTest::newRow("print, object of another kind") << true << QStringLiteral("kind") << printing;
    QTest::newRow("preview, object missing") << false << QStringLiteral("template") << loading;
}

void TestAgreementDocument::failuresShowTheWindowsWarning()
{
    QFETCH(bool, print);
    QFETCH(QString, failure);
    QFETCH(QString, message);
    std::unique_ptr<AgreementWindow> window;
    if (print)
        window = std::make_unique<TfrmStampaRic>(m_editor);
    else
        window = std::make_unique<TfrmAnteprimaRic>(m_editor);
    {
        // The agreement template without txtZip, or with txtZip drawn as a shape.
        QByteArray json = testing::readFile(kAgreementTemplate);
        const qsizetype at = json.indexOf("{\"name\": \"txtZip\"");
        QVERIFY(at > 0);
        const qsizetype end = json.indexOf('\n', at);
        json.replace(at, end - at,
                     failure == QLatin1String("kind") ? QByteArray(
                         R"({"name": "txtZip", "kind": "shape", "left": 95, "top": 83, "width": 4, "height": 4},)")
                                                      : QByteArray());
        const QString path = m_data->root() + QStringLiteral("/broken.json");
        testing::writeFile(path, json);
        window->setTemplatePath(path);
    }
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

void TestAgreementDocument::previewShowsThePreviewLayoutAndPrintsIt()
{
    const QStringList before = texts(m_editor);
    QString previewTitle;
    PreparedPage shown;
    m_dialogs->pressWhenShown(QStringLiteral("btnStampa"));
    m_dialogs->printerChoices.enqueue(true);
    m_dialogs->modalHandlers.enqueue([&](QDialog *dialog) {
        auto *preview = qobject_cast<TfrmReportPreview *>(dialog);
        if (!preview)
            return -1;
        previewTitle = preview->windowTitle();
        shown = preview->report().pages.value(0);
        preview->findChild<QToolButton *>(QStringLiteral("btnPrint"))->click();
        preview->findChild<QToolButton *>(QStringLiteral("btnClose"))->click();
        return 0;
    });
    previewAgreement(m_editor);
    QCOMPARE(m_dialogs->modalShown,
             (QStringList{QStringLiteral("TfrmAnteprimaRic"), QStringLiteral("TfrmReportPreview")}));
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(previewTitle, QStringLiteral("Rental Agreement"));
    QCOMPARE(shown.find(QStringLiteral("shpNumFatt"))->rect, QRectF(129.0, 14.0, 67.0, 22.0));
    QCOMPARE(shown.find(QStringLiteral("lineFirma"))->rect, QRectF(121.0, 281.0, 79.0, 0.0));
    QCOMPARE(shown.find(QStringLiteral("txtNumber"))->text(), QStringLiteral("Rental Agreement No. 1042"));
    QCOMPARE(texts(m_editor), before);

    // The preview's print button prints the page shown.
    QCOMPARE(m_dialogs->printDialogs, 1);
    keepCopy(printFile(), QStringLiteral("agreement_preview.pdf"));
    const testing::PdfText pdf = testing::readPdfText(printFile());
    QCOMPARE(pdf.pages.size(), 1);
    QCOMPARE(pdf.textIn(0, QRectF(131.0, 16.6, 64.0, 6.0)), QStringLiteral("Rental Agreement No. 1042"));
    QCOMPARE(pdf.textIn(0, QRectF(10.0, 282.0, 79.0, 3.4)), QStringLiteral("(DRIVER'S SIGNATURE)"));
}

void TestAgreementDocument::italianCaptionsChangeNothingOnPaper()
{
    const PreparedPage english = preparedAgreement(m_editor);
    m_editor->findChild<QLabel *>(QStringLiteral("lblField001"))->setText(QStringLiteral("Nome e cognome:"));
    const PreparedPage italian = preparedAgreement(m_editor);
    QCOMPARE(italian.items.size(), english.items.size());
    for (qsizetype k = 0; k < english.items.size(); ++k) {
        QCOMPARE(italian.items[k].name, english.items[k].name);
        QCOMPARE(italian.items[k].text(), english.items[k].text());
        QCOMPARE(italian.items[k].rect, english.items[k].rect);
    }
    QCOMPARE(english.find(QStringLiteral("Memo5"))->text(), QStringLiteral("NAME"));
    QCOMPARE(english.find(QStringLiteral("txtName"))->text(), trimmedValue(QStringLiteral("txtName")));
}

QTEST_MAIN(TestAgreementDocument)
#include "test_agreementdocument.moc"
