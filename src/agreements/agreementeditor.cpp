#include "agreements/agreementeditor.h"

#include "agreements/agreementcommon.h"
#include "agreements/agreementdocument.h"
#include "agreements/agreementfields.h"
#include "agreements/agreementsearch.h"
#include "agreements/logowindow.h"
#include "agreements/numerationwindow.h"
#include "app/helpwindow.h"
#include "clients/clientsearch.h"
#include "exchange/exportwindow.h"
#include "fleet/vehiclesearch.h"
#include "records/agreementsettings.h"
#include "records/browse.h"
#include "records/inifile.h"
#include "records/layout.h"
#include "records/recordfile.h"
#include "records/recordfiles.h"
#include "search/searchwindow.h"
#include "ui/dialogs/dialogs.h"
#include "ui/qtext.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/hintbar.h"
#include "ui/widgets/picturebutton.h"
#include "ui/widgets/usewindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace agreements {

namespace {

const QString kCompanyRequired = QStringLiteral("Enter the rental company's name to save the record.");
const QString kNumberRequired = QStringLiteral("Enter the number of the Rental Agreement to save the record.");
const QString kDateRequired = QStringLiteral("Enter the date of the Rental Agreement to save the record.");
const QString kNameRequired = QStringLiteral("Enter the driver's name to save the record.");
const QString kMakeRequired = QStringLiteral("Enter the vehicle make to save the record.");
const QString kPlateRequired = QStringLiteral("Enter the vehicle plate number to save the record.");

constexpr const char *kHeaderFields[] = {"Company01", "Company02", "Company03", "Company04"};

QLabel *captionLabel(const QString &objectName, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setFont(ui::windowFont(QStringLiteral("Verdana"), 13, true));
    label->setStyleSheet(QStringLiteral("color: #1F3A5F;"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

TfrmRent_Receipts::TfrmRent_Receipts(QWidget *parent)
    : ui::EditorWindow(QStringLiteral("TfrmRent_Receipts"), QStringLiteral(" Carvello - Rental Agreements"),
                       QColor(0x3E, 0x74, 0x9E), QStringLiteral("Ready to enter a new Rental Agreement..."), parent)
{
    setPanelSize(1180, 604);
    QWidget *root = panel();

    // Toolbar.
    const ui::RecordButtons b = makeRecordButtons(
        {"cmdNuovo", "cmdDuplica", "cmdSalva", "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo", "cmdEsci"}, root);
    auto *cmdPreview = makeButton(QStringLiteral("cmdPreview"), QStringLiteral(":/artwork/btn_preview.svg"),
                                  QStringLiteral("Show preview window."), root, QSize(112, 33));
    auto *cmdPrint = makeButton(QStringLiteral("cmdPrint"), QStringLiteral(":/artwork/btn_print.svg"),
                                QStringLiteral("Show print window."), root, QSize(112, 33));
    auto *cmdNumeration = makeButton(QStringLiteral("cmdNumeration"), QStringLiteral(":/artwork/numeration.svg"),
                                     QStringLiteral("Set Rental Agreements starting number."), root);
    auto *cmdEsporta = makeButton(QStringLiteral("cmdEsporta"), QStringLiteral(":/artwork/export.svg"),
                                  QStringLiteral("Export database to Excel."), root);
    auto *cmdGuida = makeButton(QStringLiteral("cmdGuida"), QStringLiteral(":/artwork/help.svg"),
                                QStringLiteral("Get context-sensitive help."), root);
    QLabel *position = makePositionLabel(root);

    auto *toolbar = new QHBoxLayout;
    toolbar->setObjectName(QStringLiteral("layToolbar"));
    toolbar->setSpacing(10);
    auto *cmdTrova = makeButton(QStringLiteral("cmdTrova"), QStringLiteral(":/artwork/find.svg"),
                                QStringLiteral("Find record in database."), root);
    toolbar->addWidget(makeToolbarBox({b.newRecord, b.duplicate, b.save, cmdTrova}, root));
    toolbar->addWidget(makeToolbarBox({cmdPreview}, root));
    toolbar->addWidget(makeToolbarBox({cmdPrint}, root));
    toolbar->addStretch(1);
    toolbar->addWidget(makeToolbarBox({b.first, b.previous, position, b.next, b.last}, root));
    toolbar->addStretch(1);
    toolbar->addWidget(makeToolbarBox({cmdEsporta, cmdNumeration}, root));
    toolbar->addWidget(makeToolbarBox({cmdGuida, b.close}, root));

    makeFields(agreementFields(), records::agreementLayout(), QStringLiteral("lblField"));
    auto *impDriver = makeButton(QStringLiteral("impDriver"), QStringLiteral(":/artwork/import.svg"),
                                 QStringLiteral("Import data from Client Database."), root, QSize(22, 22));
    auto *impVehicle = makeButton(QStringLiteral("impVehicle"), QStringLiteral(":/artwork/import.svg"),
                                  QStringLiteral("Import data from Vehicle Fleet."), root, QSize(22, 22));
    placeAfter("Name", impDriver);
    placeAfter("VIN", impVehicle);
    for (const char *name : {"Number", "Date", "Gender", "PickUpDate", "PickUpTime", "ReturnDate", "ReturnTime"})
        field(name)->setAlignment(Qt::AlignCenter);

    m_file = new QLabel(root);
    m_file->setObjectName(QStringLiteral("lblFile"));
    m_file->hide();

    QWidget *header = buildHeader(root);

    auto *recordArea = ui::makeBox(QColor(0xC8, 0xD6, 0xE3), root, 8);
    recordArea->setObjectName(QStringLiteral("shpRecord"));
    auto *areaLayout = new QVBoxLayout(recordArea);
    areaLayout->setContentsMargins(12, 10, 12, 10);
    auto *fieldsBox = ui::makeBox(Qt::white, recordArea, 6);
    fieldsBox->setObjectName(QStringLiteral("shpFields"));
    auto *fieldsLayout = new QVBoxLayout(fieldsBox);
    fieldsLayout->setContentsMargins(14, 8, 14, 8);
    fieldsLayout->addWidget(buildArea(0, fieldsBox, 5, 10));
    areaLayout->addWidget(fieldsBox);
    clearsHint({recordArea, fieldsBox});

    auto *main = new QVBoxLayout(root);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(8);
    main->addLayout(toolbar);
    main->addWidget(header);
    main->addWidget(recordArea, 1);
    main->addWidget(hintBar());

    createEngine(records::agreementFile(), [this] { return yearFile(); });
    engine()->setRequired({
        {QStringLiteral("txtCompany01"), kCompanyRequired},
        {QStringLiteral("txtNumber"), kNumberRequired},
        {QStringLiteral("txtDate"), kDateRequired},
        {QStringLiteral("txtName"), kNameRequired},
        {QStringLiteral("txtMake"), kMakeRequired},
        {QStringLiteral("txtPlate"), kPlateRequired},
    });
    engine()->newRecordSteps = [this] { newAgreementSteps(); };
    engine()->duplicateSteps = [this] { duplicateSteps(); };

    connect(b.newRecord, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdNuovoClick);
    connect(b.duplicate, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdDuplicaClick);
    connect(b.save, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdSalvaClick);
    connect(cmdPreview, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdPreviewClick);
    connect(cmdPrint, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdPrintClick);
    connect(b.first, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdPrimoClick);
    connect(b.previous, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdIndietroClick);
    connect(b.next, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdAvantiClick);
    connect(b.last, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdUltimoClick);
    connect(cmdNumeration, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdNumerationClick);
    connect(cmdTrova, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdTrovaClick);
    connect(cmdEsporta, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdEsportaClick);
    connect(cmdGuida, &QAbstractButton::clicked, this, &TfrmRent_Receipts::cmdGuidaClick);
    connect(impDriver, &QAbstractButton::clicked, this, &TfrmRent_Receipts::impDriverClick);
    connect(impVehicle, &QAbstractButton::clicked, this, &TfrmRent_Receipts::impVehicleClick);
}

QWidget *TfrmRent_Receipts::buildHeader(QWidget *parent)
{
    auto *box = ui::makeBox(Qt::white, parent, 8);
    box->setObjectName(QStringLiteral("shpHeader"));
    box->setBorder(QColor(0xC8, 0xD6, 0xE3));
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(14);

    auto *btnLogo =
        makeButton(QStringLiteral("btnLogo"), QStringLiteral(":/artwork/btn_logo.svg"),
                   QStringLiteral("Load a picture to use as the company's logo when printing Rental Agreements."), box,
                   QSize(100, 100));
    connect(btnLogo, &QAbstractButton::clicked, this, &TfrmRent_Receipts::btnLogoClick);
    row->addWidget(btnLogo, 0, Qt::AlignVCenter);

    auto *lines = new QVBoxLayout;
    lines->setSpacing(4);
    int number = 1;
    for (const char *name : kHeaderFields) {
        QLineEdit *line = field(name);
        line->setParent(box);
        line->setAccessibleName(number == 1 ? QStringLiteral("Rental company's name")
                                            : QStringLiteral("Rental company header line %1").arg(number));
        ++number;
        lines->addWidget(line);
    }
    row->addLayout(lines);
    row->addStretch(1);

    auto *numberBox = ui::makeBox(QColor(0xE3, 0xEC, 0xF5), box, 6);
    numberBox->setObjectName(QStringLiteral("shpNumber"));
    auto *grid = new QGridLayout(numberBox);
    grid->setContentsMargins(12, 8, 12, 8);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    const QString numberCaption = QStringLiteral("Rental Agreement No.");
    const QString dateCaption = QStringLiteral("Date:");
    QLineEdit *txtNumber = field("Number");
    QLineEdit *txtDate = field("Date");
    txtNumber->setParent(numberBox);
    txtDate->setParent(numberBox);
    txtNumber->setAccessibleName(numberCaption);
    txtDate->setAccessibleName(dateCaption);
    grid->addWidget(captionLabel(QStringLiteral("imgNumero"), numberCaption, numberBox), 0, 0);
    grid->addWidget(txtNumber, 0, 1);
    grid->addWidget(captionLabel(QStringLiteral("imgData"), dateCaption, numberBox), 1, 0);
    grid->addWidget(txtDate, 1, 1);
    grid->addWidget(makeFlags(numberBox), 2, 0, 1, 2, Qt::AlignRight);
    row->addWidget(numberBox, 0, Qt::AlignVCenter);

    clearsHint({box, numberBox});
    return box;
}

std::filesystem::path TfrmRent_Receipts::yearFile() const { return ui::fromQtPath(ui::trimControl(m_file->text())); }

std::filesystem::path TfrmRent_Receipts::recordFile() const { return records::agreementFile().path(yearFile()); }

void TfrmRent_Receipts::showEvent(QShowEvent *event)
{
    ui::EditorWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmRent_Receipts::FormShow()
{
    // Every showing starts a new agreement under the remembered header.
    int line = 1;
    for (const char *name : kHeaderFields)
        ui::RecordEditorEngine::setText(field(name), ui::toQt(records::readCompanyLine(line++)));
    emptyAllButHeader();
    field("Number")->setFocus(Qt::OtherFocusReason);
}

void TfrmRent_Receipts::emptyAllButHeader()
{
    const auto header = std::span(kHeaderFields);
    for (const ui::EditorFieldDef &def : agreementFields()) {
        if (std::find(header.begin(), header.end(), def.name) == header.end())
            field(def.name)->clear();
    }
    field("Date")->setText(ui::todayText());
    engine()->setPosition(QString());
}

void TfrmRent_Receipts::newAgreementSteps()
{
    const std::string start = records::readStartNumber();
    const std::size_t count = records::recordCount(recordFile(), records::kAgreementRecordLength);
    emptyAllButHeader();
    const std::optional<std::string> number = records::proposedAgreementNumber(start, count);
    if (!number)
        throw records::RecordFileError("the starting number is not a whole number");
    field("Number")->setText(ui::toQt(*number));
    field("Name")->setFocus(Qt::OtherFocusReason);
}

void TfrmRent_Receipts::duplicateSteps()
{
    // Opening the file tells at once whether the copy can be saved.
    (void)records::recordCount(recordFile(), records::kAgreementRecordLength);
    field("Number")->clear();
    field("Date")->setText(ui::todayText());
    field("Number")->setFocus(Qt::OtherFocusReason);
}

void TfrmRent_Receipts::cmdNuovoClick() { engine()->newRecord(); }
void TfrmRent_Receipts::cmdDuplicaClick() { engine()->duplicate(); }
void TfrmRent_Receipts::cmdSalvaClick() { engine()->save(); }
void TfrmRent_Receipts::cmdPrimoClick() { engine()->first(); }
void TfrmRent_Receipts::cmdIndietroClick() { engine()->previous(); }
void TfrmRent_Receipts::cmdAvantiClick() { engine()->next(); }
void TfrmRent_Receipts::cmdUltimoClick() { engine()->last(); }

// Both read the fields as they stand on screen, saved or not.
void TfrmRent_Receipts::cmdPreviewClick() { previewAgreement(this); }
void TfrmRent_Receipts::cmdPrintClick() { printAgreement(this); }

void TfrmRent_Receipts::cmdNumerationClick()
{
    auto *window = new TfrmNumeration(this);
    window->setCallerWord(kCallerAgreements);
    ui::runUseWindow(window);
}

void TfrmRent_Receipts::cmdEsportaClick() { exchange::openAgreementExport(this, ui::trimControl(m_file->text())); }

void TfrmRent_Receipts::cmdGuidaClick() { help::showHelp(this, help::Topic::Agreements); }

void TfrmRent_Receipts::cmdTrovaClick()
{
    search::openSearch(agreementSearch(), this, QStringLiteral("rent_receipts"));
}

void TfrmRent_Receipts::impDriverClick()
{
    search::openSearch(clients::clientSearch(), this, QStringLiteral("rent_receipts"));
}

void TfrmRent_Receipts::impVehicleClick()
{
    search::openSearch(fleet::vehicleSearch(), this, QStringLiteral("rent_receipts"));
}

void TfrmRent_Receipts::btnLogoClick() { ui::runUseWindow(new TfrmLogo(this)); }

void TfrmRent_Receipts::writeHeaderLines()
{
    int line = 1;
    try {
        for (const char *name : kHeaderFields)
            records::writeCompanyLine(line++, ui::toStd(field(name)->text()));
    } catch (const records::IniFileError &e) {
        // Reported once; the window closes all the same so the user is
        // never kept in it by a folder that cannot be written.
        ui::error(this, settingsWriteFailure(e.file()));
    }
}

void TfrmRent_Receipts::closeEvent(QCloseEvent *event)
{
    writeHeaderLines();
    ui::EditorWindow::closeEvent(event);
}

} // namespace agreements
