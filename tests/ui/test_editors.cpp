#include "app/startup.h"
#include "records/layout.h"
#include "support/editorcases.h"
#include "support/testsupport.h"
#include "support/windowcontrols.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/editor/editorwindow.h"
#include "ui/widgets/hintbar.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

using testing::EditorCase;

namespace {

const QString kNoRecord = QStringLiteral("The database contains no record.");
const QString kSaved = QStringLiteral("Record saved successfully.");
const QString kChangesSaved = QStringLiteral("Changes to record saved successfully.");
const QString kDuplicateRefused =
    QStringLiteral("Incorrect use of the function.\n\r\n\rYou can only duplicate a record after saving it.");
const QString kDuplicateDone =
    QStringLiteral("You can now edit the record.\n\r\n\rWhen you finish, press the Save button to save the changes.");

// Record field name to stored bytes, as testing::encodeRecord takes them.
using Values = std::map<std::string, QByteArray>;

std::string fieldName(const QString &control) { return control.mid(3).toStdString(); }

QString controlName(const records::FieldDef &f)
{
    return (f.kind == records::FieldKind::Hidden ? QStringLiteral("lbl") : QStringLiteral("txt"))
           + QString::fromLatin1(f.name.data(), qsizetype(f.name.size()));
}

// A value no other field or record shares, in lower case so that no typing
// filter could have produced it, with a letter outside ASCII.
QByteArray sample(int record, int field, int length)
{
    return ("r" + QByteArray::number(record) + "f" + QByteArray::number(field) + "\xE0").left(length);
}

// A sample stretched to exactly `length` bytes.
QByteArray filled(int field, int length)
{
    return ("v" + QByteArray::number(field) + "\xEC").leftJustified(length, 'w', true);
}

// Every field of the record filled, the attachments too.
Values sampleRecord(const records::Layout &layout, int record)
{
    Values values;
    int k = 0;
    for (const records::FieldDef &f : layout.fields()) {
        values[std::string(f.name)] = f.kind == records::FieldKind::Hidden
                                          ? "h" + QByteArray::number(record) + "-" + QByteArray::number(k) + ".pdf"
                                          : sample(record, k, f.capacity);
        ++k;
    }
    return values;
}

QColor restColour(const EditorCase &editor, const QString &field)
{
    return editor.whiteFields.contains(field) ? QColor(Qt::white) : QColor(0xF0, 0xF8, 0xFF);
}

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    if (!w)
        return QStringLiteral("<nothing>");
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

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

// The behaviour the three record editors share through one browse-and-save
// engine, checked with a row per editor.
class TestEditors final : public QObject, private testing::EditorControls
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void opensOnAnEmptyNewRecord_data() { editorRows(); }
    void opensOnAnEmptyNewRecord();
    void fieldsFollowTheRecordLayout_data() { editorRows(); }
    void fieldsFollowTheRecordLayout();
    void languageToggleChangesOnlyTitles_data() { editorRows(); }
    void languageToggleChangesOnlyTitles();
    void saveChecksRequiredFieldsInOrder_data();
    void saveChecksRequiredFieldsInOrder();
    void saveWritesTheExactBytesThenOverwrites_data() { editorRows(); }
    void saveWritesTheExactBytesThenOverwrites();
    void textOutsideTheCodePageComesBackSubstituted_data() { editorRows(); }
    void textOutsideTheCodePageComesBackSubstituted();
    void browsesAFileWrittenElsewhere_data() { editorRows(); }
    void browsesAFileWrittenElsewhere();
    void browsingAnEmptyDatabase_data() { editorRows(); }
    void browsingAnEmptyDatabase();
    void nextAndPreviousFromANewRecordShowTheFirst_data() { editorRows(); }
    void nextAndPreviousFromANewRecordShowTheFirst();
    void duplicateOfANewRecordIsRefused_data() { editorRows(); }
    void duplicateOfANewRecordIsRefused();
    void duplicateAppendsACopyWithoutAttachments_data() { editorRows(); }
    void duplicateAppendsACopyWithoutAttachments();
    void unwritableDatabaseKeepsTheScreen_data() { editorRows(); }
    void unwritableDatabaseKeepsTheScreen();
    void enterChainFollowsTheFieldOrder_data() { editorRows(); }
    void enterChainFollowsTheFieldOrder();
    void tabCyclesThroughTheFieldsOnly_data() { editorRows(); }
    void tabCyclesThroughTheFieldsOnly();
    void typingFilters_data();
    void typingFilters();
    void otherFieldsTakeTextAsTyped_data() { editorRows(); }
    void otherFieldsTakeTextAsTyped();
    void reopeningStartsEmptyAndKeepsLanguage_data() { editorRows(); }
    void reopeningStartsEmptyAndKeepsLanguage();
    void hints_data();
    void hints();
    void onlyWorkingButtonsAreOffered_data() { editorRows(); }
    void onlyWorkingButtonsAreOffered();
    void hintClearsOverTitlesPositionAndBar_data() { editorRows(); }
    void hintClearsOverTitlesPositionAndBar();
    void typicalValuesShowWhole_data() { editorRows(); }
    void typicalValuesShowWhole();
    void requiredFieldsOfNonBreakingSpacesAreFilled_data() { editorRows(); }
    void requiredFieldsOfNonBreakingSpacesAreFilled();
    void fitsTheScreenWithoutClippingOrOverlap_data();
    void fitsTheScreenWithoutClippingOrOverlap();

private:
    static void editorRows();
    // Shows the editor of the current row in a fresh data folder.
    bool open();

    const EditorCase &editor() const { return session().editor(); }
    QString recordFile() const { return session().recordFile(); }
    QLineEdit *field(const QString &name) const { return edit(name); }

    QStringList fieldTexts() const;
    // Puts a distinct value, at most `length` long, in every field.
    QStringList fillFields(const QString &prefix, int length = 250) const;
    // Empty when the screen shows exactly `values` (absent fields empty);
    // else the first difference.
    QString screenMismatch(const Values &values) const;
    // The same for raw record bytes.
    QString recordMismatch(const QByteArray &record, const Values &values) const;
    QString titlesMismatch(bool italian) const;
};

void TestEditors::initTestCase() { app::prepareApplication(*qApp); }

void TestEditors::cleanup() { closeEditor(); }

void TestEditors::editorRows()
{
    QTest::addColumn<int>("editor");
    for (qsizetype k = 0; k < testing::editorCases().size(); ++k)
        QTest::newRow(qPrintable(testing::editorCases().at(k)->name)) << int(k);
}

bool TestEditors::open()
{
    QFETCH(int, editor);
    return openEditor(*testing::editorCases().at(editor));
}

QStringList TestEditors::fieldTexts() const
{
    QStringList texts;
    for (const QString &name : editor().fields)
        texts.append(field(name)->text());
    return texts;
}

QStringList TestEditors::fillFields(const QString &prefix, int length) const
{
    int k = 0;
    for (const QString &name : editor().fields) {
        QLineEdit *f = field(name);
        f->setText((prefix + QString::number(++k)).left(std::min(length, f->maxLength())));
    }
    return fieldTexts();
}

QString TestEditors::screenMismatch(const Values &values) const
{
    for (const records::FieldDef &f : editor().layout->fields()) {
        const QString name = controlName(f);
        const auto it = values.find(std::string(f.name));
        const QString expected = it == values.end() ? QString() : QString::fromLatin1(it->second).trimmed();
        QWidget *control = window()->findChild<QWidget *>(name);
        if (!control)
            return name + QStringLiteral(" is missing");
        const QString shown = f.kind == records::FieldKind::Hidden ? label(name)->text() : edit(name)->text();
        if (shown != expected)
            return QStringLiteral("%1 shows \"%2\" instead of \"%3\"").arg(name, shown, expected);
    }
    return {};
}

QString TestEditors::recordMismatch(const QByteArray &record, const Values &values) const
{
    const records::Layout &layout = *editor().layout;
    if (record.size() != qsizetype(layout.recordLength()))
        return QStringLiteral("a record of %1 bytes").arg(record.size());
    for (const records::FieldDef &f : layout.fields()) {
        const std::string name(f.name);
        const auto it = values.find(name);
        const QByteArray expected = it == values.end() ? QByteArray() : it->second;
        const QByteArray stored = testing::fieldBytes(layout, record, name);
        if (stored != expected)
            return QStringLiteral("%1 holds \"%2\" instead of \"%3\"")
                .arg(controlName(f), QString::fromLatin1(stored), QString::fromLatin1(expected));
    }
    return {};
}

QString TestEditors::titlesMismatch(bool italian) const
{
    for (const EditorCase::Title &t : editor().titles) {
        QLabel *title = label(t.label);
        if (!title)
            return t.label + QStringLiteral(" is missing");
        const QString expected = italian ? t.italian : t.english;
        if (title->text() != expected)
            return QStringLiteral("%1 reads \"%2\" instead of \"%3\"").arg(t.label, title->text(), expected);
        if (title->buddy() != field(t.field))
            return t.label + QStringLiteral(" is not the title of ") + t.field;
        // Assistive technology reads the title in the language shown.
        if (field(t.field)->accessibleName() != expected)
            return t.field + QStringLiteral(" is announced as ") + field(t.field)->accessibleName();
        if (title->width() < title->sizeHint().width())
            return t.label + QStringLiteral(" is cut");
    }
    return {};
}

void TestEditors::opensOnAnEmptyNewRecord()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    QCOMPARE(window()->objectName(), c.className);
    QCOMPARE(window()->windowTitle(), c.title);
    QCOMPARE(position(), QString());
    QVERIFY(label(QStringLiteral("lblPosizione"))->font().bold());
    QCOMPARE(label(QStringLiteral("lblPosizione"))->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    for (const QString &name : c.fields) {
        // The agreement suite checks the header lines read from the settings.
        if (!c.header.contains(name))
            QCOMPARE(field(name)->text(), c.newRecordValues.value(name));
    }
    for (const QString &name : c.hidden) {
        QVERIFY2(label(name), qPrintable(name));
        QVERIFY(!label(name)->isVisible());
        QCOMPARE(label(name)->text(), QString());
    }
    QCOMPARE(focusName(), c.openingFocus);
    QVERIFY(c.extrasBlank(window()));
    QCOMPARE(label(QStringLiteral("panInfo"))->text(), c.greeting);
    const std::unique_ptr<QWidget> fresh(c.create());
    QCOMPARE(fresh->findChild<QLabel *>(QStringLiteral("panInfo"))->text(), c.greeting);
    QVERIFY(!QFile::exists(recordFile())); // showing touches no file
    QVERIFY(dialogs().messages.isEmpty());
}

void TestEditors::fieldsFollowTheRecordLayout()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    QStringList textFields;
    QStringList hiddenLabels;
    for (const records::FieldDef &f : c.layout->fields())
        (f.kind == records::FieldKind::Hidden ? hiddenLabels : textFields).append(controlName(f));
    // The field cycle is the order of the record.
    QCOMPARE(textFields, c.fields);
    QCOMPARE(hiddenLabels, c.hidden);
    for (const records::FieldDef &f : c.layout->fields()) {
        if (f.kind == records::FieldKind::Hidden)
            continue;
        const QString name = controlName(f);
        QLineEdit *e = field(name);
        QVERIFY2(e, qPrintable(name));
        QCOMPARE(e->maxLength(), f.capacity);
        QVERIFY2(!e->accessibleName().isEmpty(), qPrintable(name));
        QCOMPARE(e->font().family(), QStringLiteral("Verdana"));
        QVERIFY(e->font().bold());
        QCOMPARE(e->font().pixelSize(), 12);
        QCOMPARE(e->property("restColour").value<QColor>(), restColour(c, name));
        QCOMPARE(e->alignment() & Qt::AlignHorizontal_Mask,
                 c.centredFields.contains(name) ? Qt::AlignHCenter : Qt::AlignLeft);
    }
    for (auto it = c.capacities.cbegin(); it != c.capacities.cend(); ++it)
        QCOMPARE(field(it.key())->maxLength(), it.value());
}

void TestEditors::languageToggleChangesOnlyTitles()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    const QRegularExpression numbered(QStringLiteral("^%1\\d{3}$").arg(c.titlePrefix));
    QCOMPARE(window()->findChildren<QLabel *>(numbered).size(), c.titles.size());
    const QStringList typed = fillFields(QStringLiteral("Mario "));
    const QString hint = label(QStringLiteral("panInfo"))->text();
    QCOMPARE(titlesMismatch(false), QString());

    click(QStringLiteral("optItaliano"));
    QCOMPARE(titlesMismatch(true), QString());
    QCOMPARE(fieldTexts(), typed);
    QCOMPARE(window()->windowTitle(), c.title);
    QCOMPARE(label(QStringLiteral("panInfo"))->text(), hint);
    // The hints keep their own language.
    for (const EditorCase::Hint &h : testing::recordButtonHints(c) + c.ownButtons)
        QCOMPARE(window()->findChild<ui::PictureButton *>(h.control)->hint(), h.hint);
    click(QStringLiteral("optItaliano")); // again: the same texts
    QCOMPARE(titlesMismatch(true), QString());

    click(QStringLiteral("optEnglish"));
    QCOMPARE(titlesMismatch(false), QString());
    QCOMPARE(fieldTexts(), typed);
}

void TestEditors::saveChecksRequiredFieldsInOrder_data()
{
    QTest::addColumn<int>("editor");
    QTest::addColumn<int>("empty");       // index into the required fields
    QTest::addColumn<QString>("blank");   // what it holds instead of a value
    QTest::addColumn<bool>("laterEmpty"); // the required fields after it too
    for (qsizetype e = 0; e < testing::editorCases().size(); ++e) {
        const EditorCase &c = *testing::editorCases().at(e);
        for (qsizetype r = 0; r < c.required.size(); ++r) {
            const QByteArray field = c.required.at(r).field.toLatin1();
            QTest::addRow("%s/%s only blanks", qPrintable(c.name), field.constData())
                << int(e) << int(r) << QStringLiteral("   ") << false;
            // The first empty one in the order of the checks wins.
            QTest::addRow("%s/%s and later ones empty", qPrintable(c.name), field.constData())
                << int(e) << int(r) << QString() << true;
        }
    }
}

void TestEditors::saveChecksRequiredFieldsInOrder()
{
    QFETCH(int, empty);
    QFETCH(QString, blank);
    QFETCH(bool, laterEmpty);
    QVERIFY(open());
    const EditorCase &c = editor();
    for (qsizetype r = 0; r < c.required.size(); ++r)
        field(c.required.at(r).field)
            ->setText(r == empty                ? blank
                      : r > empty && laterEmpty ? QString()
                                                : QStringLiteral("x"));
    QString away;
    for (const QString &name : c.fields) {
        if (std::none_of(c.required.cbegin(), c.required.cend(), [&](const auto &r) { return r.field == name; }))
            away = name;
    }
    field(away)->setFocus();
    click(c.buttons.save);
    QCOMPARE(dialogs().messages.size(), 1);
    QCOMPARE(dialogs().messages[0].kind, ui::MessageKind::Warning);
    QCOMPARE(dialogs().messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(dialogs().lastText(), c.required.at(empty).warning);
    QCOMPARE(focusName(), c.required.at(empty).field);
    QVERIFY(!QFile::exists(recordFile()));
    QCOMPARE(position(), QString());
}

void TestEditors::requiredFieldsOfNonBreakingSpacesAreFilled()
{
    // Only codes 32 and below count as blank: a non-breaking space is text.
    QVERIFY(open());
    testing::fillRequired(window(), editor(), QStringLiteral("\u00A0\u00A0"));
    click(editor().buttons.save);
    QCOMPARE(dialogs().lastText(), QStringLiteral("Record saved successfully."));
    QCOMPARE(position(), QStringLiteral("1"));
}

void TestEditors::hintClearsOverTitlesPositionAndBar()
{
    QVERIFY(open());
    auto *editor = qobject_cast<ui::EditorWindow *>(window());
    QVERIFY(editor);
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

void TestEditors::typicalValuesShowWhole()
{
    QVERIFY(open());
    auto *editor = qobject_cast<ui::EditorWindow *>(window());
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

void TestEditors::saveWritesTheExactBytesThenOverwrites()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    const records::Layout &layout = *c.layout;
    // Each field gets one of three kinds of value: a short one padded with
    // blanks and a tab, one of the whole capacity, one that fills the field
    // with its padding.
    Values expected;
    QMap<QString, QString> typed;
    int k = 0;
    int hiddenCount = 0;
    for (const records::FieldDef &f : layout.fields()) {
        const QString name = controlName(f);
        if (f.kind == records::FieldKind::Hidden) {
            const bool lastOne = ++hiddenCount == c.hidden.size();
            QString text;
            if (lastOne) {
                text = QString(f.capacity + 50, QLatin1Char('d')); // cut to its capacity
                expected[std::string(f.name)] = QByteArray(f.capacity, 'd');
            } else if (hiddenCount % 2 == 1) {
                text = QStringLiteral(" h%1.pdf").arg(hiddenCount);
                expected[std::string(f.name)] = text.trimmed().toLatin1();
            }
            label(name)->setText(text);
            typed[name] = text;
            continue;
        }
        QByteArray value;
        QString text;
        if (f.capacity < 10 || k % 3 == 1) {
            value = filled(k, f.capacity);
            text = QString::fromLatin1(value);
        } else {
            value = k % 3 == 0 ? filled(k, 4) : filled(k, f.capacity - 4);
            text = QStringLiteral("  ") + QString::fromLatin1(value) + QStringLiteral(" \t");
        }
        field(name)->setText(text);
        QCOMPARE(field(name)->text(), text);
        expected[std::string(f.name)] = value;
        typed[name] = text;
        ++k;
    }
    click(c.buttons.save);
    QCOMPARE(dialogs().messages.size(), 1);
    QCOMPARE(dialogs().lastText(), kSaved);
    QCOMPARE(dialogs().messages.last().kind, ui::MessageKind::Information);
    QCOMPARE(dialogs().messages.last().buttons, ui::Buttons::OkCancel);
    QCOMPARE(position(), QStringLiteral("1"));
    QByteArray bytes = testing::readFile(recordFile());
    QCOMPARE(bytes.size(), c.recordBytes);
    QCOMPARE(recordMismatch(bytes, expected), QString());
    // The screen keeps what was typed.
    for (auto it = typed.cbegin(); it != typed.cend(); ++it) {
        QWidget *control = window()->findChild<QWidget *>(it.key());
        const auto *e = qobject_cast<QLineEdit *>(control);
        QCOMPARE(e ? e->text() : qobject_cast<QLabel *>(control)->text(), it.value());
    }

    field(c.typedField)->setText(QStringLiteral("Renamed"));
    expected[fieldName(c.typedField)] = "Renamed";
    click(c.buttons.save);
    QCOMPARE(dialogs().messages.size(), 2);
    QCOMPARE(dialogs().lastText(), kChangesSaved);
    QCOMPARE(position(), QStringLiteral("1"));
    bytes = testing::readFile(recordFile());
    QCOMPARE(bytes.size(), c.recordBytes);
    QCOMPARE(recordMismatch(bytes, expected), QString());

    // Appending again after New.
    click(c.buttons.newRecord);
    testing::fillRequired(window(), c);
    click(c.buttons.save);
    QCOMPARE(dialogs().lastText(), kSaved);
    QCOMPARE(position(), QStringLiteral("2"));
    const QByteArray two = testing::readFile(recordFile());
    QCOMPARE(two.size(), 2 * c.recordBytes);
    QCOMPARE(two.left(c.recordBytes), bytes);
}

void TestEditors::textOutsideTheCodePageComesBackSubstituted()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    testing::fillRequired(window(), c);
    field(c.typedField)->setText(QStringLiteral("Иван Ŝmit"));
    click(c.buttons.save);
    QCOMPARE(testing::fieldBytes(*c.layout, testing::readFile(recordFile()), fieldName(c.typedField)),
             QByteArray("???? Smit"));
    click(c.buttons.newRecord);
    click(c.buttons.first);
    QCOMPARE(field(c.typedField)->text(), QStringLiteral("???? Smit"));
}

void TestEditors::browsesAFileWrittenElsewhere()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    const records::Layout &layout = *c.layout;
    const Values first = sampleRecord(layout, 1);
    // Blank padding is not shown; required fields empty are shown as they are.
    Values second;
    for (std::size_t k = 0; k < layout.fieldCount(); ++k) {
        const records::FieldDef &f = layout.field(k);
        const QString name = controlName(f);
        const bool required = std::any_of(c.required.cbegin(), c.required.cend(),
                                          [&](const EditorCase::Required &r) { return r.field == name; });
        if (required || f.kind == records::FieldKind::Hidden)
            continue;
        second[std::string(f.name)] =
            f.capacity >= 20 ? "  " + sample(2, int(k), f.capacity - 4) + "  " : sample(2, int(k), f.capacity);
    }
    // A damaged length byte is read as the field's capacity.
    Values third = sampleRecord(layout, 3);
    const std::string damaged = fieldName(c.shortField);
    third.erase(damaged);
    QByteArray thirdBytes = testing::encodeRecord(layout, third);
    const std::size_t index = *layout.indexOf(damaged);
    const auto offset = qsizetype(layout.offset(index));
    const int capacity = layout.field(index).capacity;
    thirdBytes[offset] = char(200);
    thirdBytes.replace(offset + 1, capacity, QByteArray(capacity, 'Z'));
    third[damaged] = QByteArray(capacity, 'Z');
    // What follows the last whole record is not a record.
    const QByteArray file = testing::encodeRecord(layout, first, 'x') + testing::encodeRecord(layout, second, ' ')
                            + thirdBytes + QByteArray(c.recordBytes - 1, 'z');
    testing::writeFile(recordFile(), file);

    click(c.buttons.first);
    QCOMPARE(position(), QStringLiteral("1"));
    QCOMPARE(screenMismatch(first), QString());
    click(c.buttons.next);
    QCOMPARE(position(), QStringLiteral("2"));
    QCOMPARE(screenMismatch(second), QString());
    click(c.buttons.last);
    QCOMPARE(position(), QStringLiteral("3"));
    QCOMPARE(screenMismatch(third), QString());

    click(c.buttons.next);
    QCOMPARE(position(), QStringLiteral("3"));
    click(c.buttons.previous);
    click(c.buttons.previous);
    QCOMPARE(position(), QStringLiteral("1"));
    click(c.buttons.previous);
    QCOMPARE(position(), QStringLiteral("1"));
    QVERIFY(dialogs().messages.isEmpty());           // no message at either end
    QCOMPARE(testing::readFile(recordFile()), file); // browsing writes nothing

    // A record with empty required fields can be shown but not saved as is.
    click(c.buttons.next);
    click(c.buttons.save);
    QCOMPARE(dialogs().messages.size(), 1);
    QCOMPARE(dialogs().lastText(), c.required.first().warning);
    QCOMPARE(testing::readFile(recordFile()), file);
}

void TestEditors::browsingAnEmptyDatabase()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    field(c.typedField)->setText(QStringLiteral("typed"));
    for (const QString &button : {c.buttons.next, c.buttons.first, c.buttons.last, c.buttons.previous}) {
        dialogs().clear();
        click(button);
        QCOMPARE(dialogs().messages.size(), 1);
        QCOMPARE(dialogs().messages[0].kind, ui::MessageKind::Information);
        QCOMPARE(dialogs().messages[0].buttons, ui::Buttons::OkCancel);
        QCOMPARE(dialogs().lastText(), kNoRecord);
        QCOMPARE(field(c.typedField)->text(), QStringLiteral("typed"));
        QCOMPARE(position(), QString());
        // Browsing creates the missing file, empty.
        QVERIFY(QFile::exists(recordFile()));
        QCOMPARE(QFileInfo(recordFile()).size(), 0);
    }
}

void TestEditors::nextAndPreviousFromANewRecordShowTheFirst()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    const Values one = sampleRecord(*c.layout, 1);
    const Values two = sampleRecord(*c.layout, 2);
    testing::writeFile(recordFile(), testing::encodeRecord(*c.layout, one) + testing::encodeRecord(*c.layout, two));
    for (const QString &button : {c.buttons.next, c.buttons.previous}) {
        click(c.buttons.last);
        QCOMPARE(position(), QStringLiteral("2"));
        QCOMPARE(screenMismatch(two), QString());
        click(c.buttons.newRecord);
        QCOMPARE(position(), QString());
        QCOMPARE(field(c.typedField)->text(), QString());
        for (const QString &name : c.hidden)
            QCOMPARE(label(name)->text(), QString());
        QCOMPARE(focusName(), c.newFocus);
        QVERIFY(c.extrasBlank(window()));
        click(button);
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(screenMismatch(one), QString());
    }
    QVERIFY(dialogs().messages.isEmpty());
}

void TestEditors::duplicateOfANewRecordIsRefused()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    const QStringList typed = fillFields(QStringLiteral("typed "));
    click(c.buttons.duplicate);
    QCOMPARE(dialogs().messages.size(), 1);
    QCOMPARE(dialogs().messages[0].kind, ui::MessageKind::Warning);
    QCOMPARE(dialogs().messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(dialogs().lastText(), kDuplicateRefused);
    QCOMPARE(fieldTexts(), typed);
    QCOMPARE(position(), QString());
    QVERIFY(!QFile::exists(recordFile()));
}

void TestEditors::duplicateAppendsACopyWithoutAttachments()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    const records::Layout &layout = *c.layout;
    QByteArray file;
    QList<Values> stored;
    for (int r = 1; r <= 9; ++r) {
        stored.append(sampleRecord(layout, r));
        file += testing::encodeRecord(layout, stored.last());
    }
    testing::writeFile(recordFile(), file);
    click(c.buttons.first);
    for (int k = 0; k < 3; ++k)
        click(c.buttons.next);
    QCOMPARE(position(), QStringLiteral("4"));
    QCOMPARE(screenMismatch(stored.at(3)), QString()); // its attachments included
    field(c.fields.last())->setFocus();

    click(c.buttons.duplicate);
    QCOMPARE(dialogs().messages.size(), 1);
    QCOMPARE(dialogs().messages[0].kind, ui::MessageKind::Information);
    QCOMPARE(dialogs().messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(dialogs().lastText(), kDuplicateDone);
    QCOMPARE(position(), QString());
    Values copy = stored.at(3);
    for (const QString &name : c.hidden)
        copy.erase(fieldName(name));
    for (auto it = c.duplicateValues.cbegin(); it != c.duplicateValues.cend(); ++it)
        copy[fieldName(it.key())] = it.value().toLatin1();
    QCOMPARE(screenMismatch(copy), QString());
    QCOMPARE(focusName(), c.duplicateFocus);
    QVERIFY(c.extrasBlank(window()));

    for (const EditorCase::Required &r : c.required) {
        if (field(r.field)->text().isEmpty()) {
            field(r.field)->setText(QStringLiteral("copy"));
            copy[fieldName(r.field)] = "copy";
        }
    }
    click(c.buttons.save);
    QCOMPARE(dialogs().lastText(), kSaved);
    QCOMPARE(position(), QStringLiteral("10"));
    const QByteArray after = testing::readFile(recordFile());
    QCOMPARE(after.size(), 10 * c.recordBytes);
    QCOMPARE(after.left(9 * c.recordBytes), file); // record 4 and the others unchanged
    QCOMPARE(recordMismatch(after.mid(9 * c.recordBytes), copy), QString());
}

void TestEditors::unwritableDatabaseKeepsTheScreen()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    Values shown = sampleRecord(*c.layout, 1);
    testing::writeFile(recordFile(), testing::encodeRecord(*c.layout, shown));
    click(c.buttons.first);
    // A folder in place of the file: no open can succeed.
    QFile::remove(recordFile());
    QDir().mkpath(recordFile());
    field(c.typedField)->setText(QStringLiteral("Changed"));
    shown[fieldName(c.typedField)] = "Changed";
    for (const QString &button :
         {c.buttons.save, c.buttons.first, c.buttons.next, c.buttons.last, c.buttons.previous}) {
        dialogs().clear();
        click(button);
        QCOMPARE(dialogs().messages.size(), 1);
        QCOMPARE(dialogs().messages[0].kind, ui::MessageKind::Error);
        QCOMPARE(dialogs().messages[0].buttons, ui::Buttons::OkCancel);
        QCOMPARE(dialogs().lastText(), testing::kCannotOpen);
        QCOMPARE(position(), QStringLiteral("1"));
        QCOMPARE(screenMismatch(shown), QString());
    }
    QVERIFY(QFileInfo(recordFile()).isDir());
}

void TestEditors::enterChainFollowsTheFieldOrder()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    const QStringList typed = fillFields(QStringLiteral("e"), 3);
    auto fill = [](QLineEdit *e) { return e->grab().toImage().pixelColor(e->width() - 4, e->height() / 2); };
    field(c.fields.first())->setFocus();
    for (const QString &name : c.fields) {
        QLineEdit *current = field(name);
        QVERIFY2(current->hasFocus(), qPrintable(name));
        // Yellow while it has the focus, its resting colour after.
        QTRY_COMPARE(fill(current), QColor(Qt::yellow));
        QTest::keyClick(current, Qt::Key_Return);
        QVERIFY(!current->hasFocus());
        QTRY_COMPARE(fill(current), restColour(c, name));
    }
    QCOMPARE(focusName(), c.fields.first()); // the last wraps to the first
    QCOMPARE(fieldTexts(), typed);           // Enter types nothing
}

void TestEditors::tabCyclesThroughTheFieldsOnly()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    QLineEdit *first = field(c.fields.first());
    QLineEdit *last = field(c.fields.last());
    last->setFocus();
    QCOMPARE(focusName(), c.fields.last());
    QTest::keyClick(last, Qt::Key_Tab);
    QCOMPARE(focusName(), c.fields.first());
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Backtab);
    QCOMPARE(focusName(), c.fields.last());

    // Every stop on the way round is the next field of the cycle.
    first->setFocus();
    for (qsizetype k = 1; k <= c.fields.size(); ++k) {
        QWidget *from = QApplication::focusWidget();
        QVERIFY(from);
        QTest::keyClick(from, Qt::Key_Tab);
        QCOMPARE(focusName(), c.fields.at(k % c.fields.size()));
    }
    for (qsizetype k = c.fields.size() - 1; k >= 0; --k) {
        QWidget *from = QApplication::focusWidget();
        QVERIFY(from);
        QTest::keyClick(from, Qt::Key_Backtab);
        QCOMPARE(focusName(), c.fields.at(k));
    }
}

void TestEditors::typingFilters_data()
{
    QTest::addColumn<int>("editor");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    for (qsizetype e = 0; e < testing::editorCases().size(); ++e) {
        const EditorCase &c = *testing::editorCases().at(e);
        for (const EditorCase::Typed &t : c.typing)
            QTest::addRow("%s/%s \"%s\"", qPrintable(c.name), qPrintable(t.field), qPrintable(t.typed))
                << int(e) << t.field << t.typed << t.shown;
    }
}

void TestEditors::typingFilters()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QVERIFY(open());
    field(name)->setFocus();
    QTest::keyClicks(field(name), typed);
    QCOMPARE(field(name)->text(), shown);
}

void TestEditors::otherFieldsTakeTextAsTyped()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    QStringList filtered;
    for (const EditorCase::Typed &t : c.typing)
        filtered.append(t.field);
    for (const QString &name : c.fields) {
        if (filtered.contains(name))
            continue;
        QLineEdit *f = field(name);
        f->clear();
        const QString typed = QStringLiteral(" ab-1 Cd ").left(f->maxLength());
        QTest::keyClicks(f, typed);
        QVERIFY2(f->text() == typed, qPrintable(name + QStringLiteral(": ") + f->text()));
    }
}

void TestEditors::reopeningStartsEmptyAndKeepsLanguage()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    testing::writeFile(recordFile(), testing::encodeRecord(*c.layout, sampleRecord(*c.layout, 1)));
    click(c.buttons.first);
    QCOMPARE(position(), QStringLiteral("1"));
    click(QStringLiteral("optItaliano"));
    QMap<QString, QString> header;
    for (const QString &name : c.header)
        header[name] = field(name)->text();
    window()->close();
    QVERIFY(!window()->isVisible());
    window()->show();
    QVERIFY(window()->isVisible());
    for (const QString &name : c.fields)
        QCOMPARE(field(name)->text(), c.header.contains(name) ? header.value(name) : c.newRecordValues.value(name));
    for (const QString &name : c.hidden)
        QCOMPARE(label(name)->text(), QString());
    QCOMPARE(position(), QString());
    QVERIFY(c.extrasBlank(window()));
    QCOMPARE(titlesMismatch(true), QString());
}

void TestEditors::hints_data()
{
    QTest::addColumn<int>("editor");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    for (qsizetype e = 0; e < testing::editorCases().size(); ++e) {
        const EditorCase &c = *testing::editorCases().at(e);
        for (const EditorCase::Hint &h : testing::recordButtonHints(c) + c.ownButtons)
            QTest::addRow("%s/%s", qPrintable(c.name), qPrintable(h.control)) << int(e) << h.control << h.hint;
    }
}

void TestEditors::hints()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    QVERIFY(open());
    const EditorCase &c = editor();
    // Over a field the hint stays; over the panel or the editor's own areas
    // it is cleared.
    verifyHint(control, hint, c.typedField);
    for (const QString &area : c.hintClearingAreas) {
        verifyHintCleared(window()->findChild<QWidget *>(area), QPoint(20, 20));
        verifyHint(control, hint, c.typedField);
    }
    verifyHintClearedOverPanel();
}

void TestEditors::onlyWorkingButtonsAreOffered()
{
    QVERIFY(open());
    const EditorCase &c = editor();
    // Every picture button does something; the ones whose windows do not
    // exist yet are not there at all.
    QStringList expected;
    for (const EditorCase::Hint &h : testing::recordButtonHints(c) + c.ownButtons)
        expected.append(h.control);
    QStringList offered;
    for (const ui::PictureButton *b : window()->findChildren<ui::PictureButton *>())
        offered.append(b->objectName());
    expected.sort();
    offered.sort();
    QCOMPARE(offered, expected);
    for (const QString &absent : c.absentControls)
        QVERIFY2(!window()->findChild<QWidget *>(absent), qPrintable(absent));
}

void TestEditors::fitsTheScreenWithoutClippingOrOverlap_data()
{
    QTest::addColumn<int>("editor");
    QTest::addColumn<bool>("italian");
    for (qsizetype e = 0; e < testing::editorCases().size(); ++e) {
        const QString &name = testing::editorCases().at(e)->name;
        QTest::addRow("%s/English", qPrintable(name)) << int(e) << false;
        QTest::addRow("%s/Italian", qPrintable(name)) << int(e) << true;
    }
}

void TestEditors::fitsTheScreenWithoutClippingOrOverlap()
{
    QFETCH(bool, italian);
    QVERIFY(open());
    const EditorCase &c = editor();
    if (italian)
        click(QStringLiteral("optItaliano"));
    // 1366 x 768 less a title bar: no scrolling needed.
    window()->setGeometry(0, 0, 1366, 738);
    QApplication::processEvents();
    auto *scroll = window()->findChild<QScrollArea *>();
    QVERIFY(scroll);
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QVERIFY(!scroll->verticalScrollBar()->isVisible());

    for (const QString &name : c.fields)
        QVERIFY2(field(name)->isVisible(), qPrintable(name));
    for (const EditorCase::Title &t : c.titles)
        QVERIFY2(label(t.label)->isVisible(), qPrintable(t.label));
    static const QRegularExpression control(QStringLiteral("^(txt|lbl|img|ico|cmd|btn|opt)[A-Z0-9]"));
    QList<QWidget *> items;
    for (QWidget *w : window()->findChildren<QWidget *>()) {
        if (w->isVisible() && control.match(w->objectName()).hasMatch())
            items.append(w);
    }
    // At least the position label besides the fields, their titles and the buttons.
    QVERIFY(items.size()
            > c.fields.size() + c.titles.size() + testing::recordButtonHints(c).size() + c.ownButtons.size());
    const QRect area = window()->rect();
    QList<QRect> rects;
    for (QWidget *w : std::as_const(items)) {
        const QRect r(w->mapTo(window(), QPoint(0, 0)), w->size());
        QVERIFY2(area.contains(r), qPrintable(w->objectName()));
        if (auto *l = qobject_cast<QLabel *>(w); l && l->objectName() != QLatin1String("lblPosizione")) {
            QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->objectName() + QLatin1String(" is cut")));
            QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(),
                     qPrintable(l->objectName() + QLatin1String(" is cut")));
        }
        rects.append(r);
    }
    for (qsizetype a = 0; a < items.size(); ++a) {
        for (qsizetype b = a + 1; b < items.size(); ++b)
            QVERIFY2(!rects.at(a).intersects(rects.at(b)),
                     qPrintable(items[a]->objectName() + QLatin1String(" overlaps ") + items[b]->objectName()));
    }
    // The window's gradient shows around the panel.
    const QColor corner = window()->grab().toImage().pixelColor(2, 2);
    QVERIFY2(std::abs(corner.red() - c.gradientTop.red()) <= 3 && std::abs(corner.green() - c.gradientTop.green()) <= 3
                 && std::abs(corner.blue() - c.gradientTop.blue()) <= 3,
             qPrintable(corner.name()));
}

QTEST_MAIN(TestEditors)
#include "test_editors.moc"
