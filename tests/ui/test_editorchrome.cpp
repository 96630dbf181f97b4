#include "agreements/agreementeditor.h"
#include "app/startup.h"
#include "clients/clienteditor.h"
#include "fleet/fleeteditor.h"
#include "support/testsupport.h"
#include "support/windowcontrols.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/editor/editorwindow.h"
#include "ui/widgets/hintbar.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTest>

#include <functional>
#include <memory>

// The chrome every record editor shares, checked on each of the three: the
// hint bar, and fields wide enough for what the desk types into them.

namespace {

using MakeEditor = std::function<ui::EditorWindow *()>;

// Values a desk types every day, one per field name; every one must show
// whole in its field.
const QHash<QString, QString> kTypical = {
    {QStringLiteral("Name"), QStringLiteral("Johnson Emily Charlotte")},
    {QStringLiteral("Gender"), QStringLiteral("F")},
    {QStringLiteral("BirthDate"), QStringLiteral("03/11/1988")},
    {QStringLiteral("BirthPlace"), QStringLiteral("Newcastle upon Tyne")},
    {QStringLiteral("Street"), QStringLiteral("27 Kirkstall Road, Flat 4")},
    {QStringLiteral("City"), QStringLiteral("Frankfurt am Main")},
    {QStringLiteral("State"), QStringLiteral("United Kingdom")},
    {QStringLiteral("Zip"), QStringLiteral("LS3 1LH")},
    {QStringLiteral("Citizenship"), QStringLiteral("British")},
    {QStringLiteral("TaxNumber"), QStringLiteral("RSSMRA85T10A562S")},
    {QStringLiteral("SSN"), QStringLiteral("AB 12 34 56 C")},
    {QStringLiteral("Email"), QStringLiteral("emily.johnson@example.co.uk")},
    {QStringLiteral("HomePhone"), QStringLiteral("+44 113 496 0123")},
    {QStringLiteral("MobilePhone"), QStringLiteral("+39 333 123 4567")},
    {QStringLiteral("Communication"), QStringLiteral("E-mail, then cell phone")},
    {QStringLiteral("Work"), QStringLiteral("Leeds General Infirmary, Great George Street")},
    {QStringLiteral("License"), QStringLiteral("JOHNS811038E99LK")},
    {QStringLiteral("IssDate"), QStringLiteral("12/05/2019")},
    {QStringLiteral("ExpDate"), QStringLiteral("11/05/2029")},
    {QStringLiteral("Authority"), QStringLiteral("DVLA Swansea")},
    {QStringLiteral("Issues"), QStringLiteral("Deposit of EUR 300 to be returned")},
    {QStringLiteral("Vehicles"), QStringLiteral("Compact cars with automatic gearbox, estate cars for holidays")},
    {QStringLiteral("Method"), QStringLiteral("Credit card")},
    {QStringLiteral("Bank"), QStringLiteral("Visa **** **** **** 4321, exp. 08/28")},
    {QStringLiteral("Status"), QStringLiteral("All rentals paid")},
    {QStringLiteral("Notes"), QStringLiteral("Prefers pick-up at the airport")},
    {QStringLiteral("Type"), QStringLiteral("Compact car")},
    {QStringLiteral("Services"), QStringLiteral("Unlimited mileage, roadside assistance")},
    {QStringLiteral("Make"), QStringLiteral("Volkswagen")},
    {QStringLiteral("Model"), QStringLiteral("Golf 1.5 TSI Life")},
    {QStringLiteral("Plate"), QStringLiteral("GH 482 KT")},
    {QStringLiteral("Year"), QStringLiteral("2023")},
    {QStringLiteral("Color"), QStringLiteral("Metallic grey")},
    {QStringLiteral("VIN"), QStringLiteral("WVWZZZCDZPW123456")},
    {QStringLiteral("Tires"), QStringLiteral("Michelin Primacy 4 205/55 R16 91V")},
    {QStringLiteral("Engine"), QStringLiteral("DPCA 123456")},
    {QStringLiteral("Odometer"), QStringLiteral("148,215 km")},
    {QStringLiteral("DateOdo"), QStringLiteral("14/07/2026")},
    {QStringLiteral("Fuel"), QStringLiteral("Petrol")},
    {QStringLiteral("Displacement"), QStringLiteral("1,498")},
    {QStringLiteral("KW"), QStringLiteral("110")},
    {QStringLiteral("Environment"), QStringLiteral("Euro 6d")},
    {QStringLiteral("Seats"), QStringLiteral("5")},
    {QStringLiteral("Weight"), QStringLiteral("450 kg")},
    {QStringLiteral("Insurance"), QStringLiteral("Allianz policy 123456789, full cover")},
    {QStringLiteral("Cost"), QStringLiteral("EUR 27,500.00")},
    {QStringLiteral("Value"), QStringLiteral("EUR 21,900.00")},
    {QStringLiteral("Incidents"), QStringLiteral("Rear bumper scratched, 03/2025")},
    {QStringLiteral("Breakdowns"), QStringLiteral("Battery replaced, 03/2025")},
    {QStringLiteral("Renter"), QStringLiteral("Riviera Car Rental S.r.l.")},
    {QStringLiteral("PhoneOwn"), QStringLiteral("+39 0541 1234567")},
    {QStringLiteral("Daily"), QStringLiteral("EUR 45.00")},
    {QStringLiteral("Weekly"), QStringLiteral("EUR 280.00")},
    {QStringLiteral("Monthly"), QStringLiteral("EUR 990.00")},
    {QStringLiteral("Extra"), QStringLiteral("Child seat EUR 5/day, snow chains EUR 10")},
    {QStringLiteral("Mechanic"), QStringLiteral("Officina Bianchi & Figli")},
    {QStringLiteral("PhoneMec"), QStringLiteral("+39 0541 7654321")},
    {QStringLiteral("Company01"), QStringLiteral("Riviera Car Rental S.r.l.")},
    {QStringLiteral("Company02"), QStringLiteral("Viale Regina Elena 112, 47921 Rimini (RN)")},
    {QStringLiteral("Company03"), QStringLiteral("Tel. +39 0541 123456 - info@rivieracar.example")},
    {QStringLiteral("Company04"), QStringLiteral("VAT IT01234567890")},
    {QStringLiteral("Number"), QStringLiteral("2026/10425")},
    {QStringLiteral("Date"), QStringLiteral("14/07/2026")},
    {QStringLiteral("Damage"), QStringLiteral("Small scratch on the rear bumper (S)")},
    {QStringLiteral("OdoOut"), QStringLiteral("148,215 km")},
    {QStringLiteral("OdoIn"), QStringLiteral("149,002 km")},
    {QStringLiteral("FuelOut"), QStringLiteral("Full")},
    {QStringLiteral("FuelIn"), QStringLiteral("3/4")},
    {QStringLiteral("Days"), QStringLiteral("7")},
    {QStringLiteral("Deposit"), QStringLiteral("EUR 300.00")},
    {QStringLiteral("Total"), QStringLiteral("EUR 1,350.00")},
    {QStringLiteral("Payment"), QStringLiteral("Visa **** 4321, deposit blocked on the card")},
    {QStringLiteral("PickUpDate"), QStringLiteral("14/07/2026")},
    {QStringLiteral("PickUpTime"), QStringLiteral("09:30")},
    {QStringLiteral("PickUpLocation"), QStringLiteral("Rimini Airport")},
    {QStringLiteral("ReturnDate"), QStringLiteral("21/07/2026")},
    {QStringLiteral("ReturnTime"), QStringLiteral("18:00")},
    {QStringLiteral("ReturnLocation"), QStringLiteral("Rimini Centre")},
};

// The width a line edit gives its text: its frame and inner margins off.
int textRoom(const QLineEdit *edit)
{
    const int frame = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit) : 0;
    const QMargins margins = edit->textMargins();
    constexpr int kInnerMargin = 2; // each side, as the line edit lays its text out
    return edit->contentsRect().width() - 2 * frame - 2 * kInnerMargin - margins.left() - margins.right();
}

} // namespace

class TestEditorChrome final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void hintClearsOverTitlesPositionAndBar_data();
    void hintClearsOverTitlesPositionAndBar();
    void typicalValuesShowWhole_data();
    void typicalValuesShowWhole();

private:
    void editors();
    // Shows the editor of the current row at 1366 x 768.
    ui::EditorWindow *shownEditor();

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    std::unique_ptr<ui::EditorWindow> m_editor;
};

void TestEditorChrome::initTestCase() { app::prepareApplication(*qApp); }

void TestEditorChrome::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
}

void TestEditorChrome::cleanup()
{
    m_editor.reset();
    delete m_dialogs;
    delete m_data;
}

void TestEditorChrome::editors()
{
    QTest::addColumn<MakeEditor>("make");
    QTest::newRow("clients") << MakeEditor([] { return new clients::TfrmClients; });
    QTest::newRow("fleet") << MakeEditor([] { return new fleet::TfrmFleet; });
    QTest::newRow("agreements") << MakeEditor([] { return new agreements::TfrmRent_Receipts; });
}

ui::EditorWindow *TestEditorChrome::shownEditor()
{
    QFETCH(MakeEditor, make);
    m_editor.reset(make());
    if (!testing::showAndActivate(m_editor.get()))
        return nullptr;
    return m_editor.get();
}

void TestEditorChrome::hintClearsOverTitlesPositionAndBar_data() { editors(); }

void TestEditorChrome::hintClearsOverTitlesPositionAndBar()
{
    ui::EditorWindow *editor = shownEditor();
    QVERIFY(editor);
    testing::WindowControls controls;
    controls.setWindow(editor);
    QLabel *bar = editor->hintBar()->label();

    QList<QWidget *> places;
    for (QLabel *label : editor->findChildren<QLabel *>()) {
        if (label->isVisible() && qobject_cast<QLineEdit *>(label->buddy()))
            places.append(label); // a field title
    }
    QVERIFY(places.size() > 10);
    places.append(editor->positionLabel());
    places.append(bar);
    places.append(editor->hintBar());

    ui::PictureButton *button = nullptr;
    for (ui::PictureButton *b : editor->findChildren<ui::PictureButton *>()) {
        if (b->isVisible() && !b->accessibleName().isEmpty()) {
            button = b;
            break;
        }
    }
    QVERIFY(button);
    for (QWidget *place : std::as_const(places)) {
        QTest::mouseMove(button, QPoint(3, 3));
        QTRY_COMPARE(bar->text(), button->accessibleName());
        QTest::mouseMove(place, QPoint(2, place->height() / 2));
        QVERIFY2(QTest::qWaitFor([bar] { return bar->text().isEmpty(); }, 500),
                 qPrintable(place->objectName() + QStringLiteral(" keeps the hint")));
    }
}

void TestEditorChrome::typicalValuesShowWhole_data() { editors(); }

void TestEditorChrome::typicalValuesShowWhole()
{
    ui::EditorWindow *editor = shownEditor();
    QVERIFY(editor);
    QStringList clipped;
    int checked = 0;
    for (QWidget *w : editor->engine()->textFields()) {
        auto *edit = qobject_cast<QLineEdit *>(w);
        QVERIFY(edit);
        const QString name = edit->objectName().mid(3);
        QVERIFY2(kTypical.contains(name), qPrintable(name + QStringLiteral(" has no typical value")));
        const QString value = kTypical.value(name);
        edit->setText(value);
        ++checked;
        if (edit->fontMetrics().horizontalAdvance(value) > textRoom(edit))
            clipped.append(QStringLiteral("%1 (%2 of %3 px)")
                               .arg(name)
                               .arg(edit->fontMetrics().horizontalAdvance(value))
                               .arg(textRoom(edit)));
    }
    QVERIFY(checked > 20);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
}

QTEST_MAIN(TestEditorChrome)
#include "test_editorchrome.moc"
