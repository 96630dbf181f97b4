#include "clients/clienteditor.h"

#include "app/helpwindow.h"
#include "clients/clientcard.h"
#include "clients/clientfields.h"
#include "clients/clientsearch.h"
#include "exchange/attachmentswindow.h"
#include "exchange/exportwindow.h"
#include "records/recordfiles.h"
#include "search/searchwindow.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/tmisc.h"
#include "ui/qtext.h"
#include "ui/widgets/hintbar.h"
#include "ui/widgets/picturebutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace clients {

namespace {
const QString kIssuesInfo = QStringLiteral(
    "Describe any pending issues you have with your client in this text box.\n\r\n\r"
    "If you don't have any pending issues, just leave this text box empty.\n\r\n\r"
    "Click on the button with the yellow triangle icon to get the list of pending issues you have with all of your "
    "clients.");
const QString kNameRequired = QStringLiteral("Enter the client's name to save the record.");
} // namespace

TfrmClients::TfrmClients(QWidget *parent)
    : ui::EditorWindow(QStringLiteral("TfrmClients"), QStringLiteral(" Carvello - Client Database"),
                       QColor(0x42, 0x7A, 0xA8), QStringLiteral("Ready to enter new record..."), parent)
{
    const records::Layout &layout = records::clientFile().layout;
    setPanelSize(994, 692);
    QWidget *root = panel();

    // Toolbar.
    const ui::RecordButtons b = makeRecordButtons(
        {"cmdNew", "cmdDuplicate", "cmdSave", "cmdFirst", "cmdPrevious", "cmdNext", "cmdLast", "cmdClose"}, root);
    QLabel *position = makePositionLabel(root);
    auto *cmdFind = makeButton(QStringLiteral("cmdFind"), QStringLiteral(":/artwork/find.svg"),
                               QStringLiteral("Find record in database."), root);
    auto *cmdDefaulting = makeButton(QStringLiteral("cmdDefaulting"), QStringLiteral(":/artwork/issues.svg"),
                                     QStringLiteral("Show list of pending issues with your clients."), root);
    auto *cmdAttach = makeButton(QStringLiteral("cmdAttach"), QStringLiteral(":/artwork/btn_attach_files.svg"),
                                 QStringLiteral("Attach files to record."), root, QSize(112, 33));
    auto *cmdPrint = makeButton(QStringLiteral("cmdPrint"), QStringLiteral(":/artwork/btn_print.svg"),
                                QStringLiteral("Show print window."), root, QSize(112, 33));
    auto *cmdExport = makeButton(QStringLiteral("cmdExport"), QStringLiteral(":/artwork/export.svg"),
                                 QStringLiteral("Export database to Excel."), root);
    auto *cmdHelp = makeButton(QStringLiteral("cmdHelp"), QStringLiteral(":/artwork/help.svg"),
                               QStringLiteral("Get context-sensitive help."), root);

    auto *toolbar = new QHBoxLayout;
    toolbar->setSpacing(10);
    toolbar->addWidget(makeToolbarBox({b.newRecord, b.duplicate, b.save, cmdFind}, root));
    toolbar->addWidget(makeToolbarBox({cmdAttach}, root));
    toolbar->addWidget(makeToolbarBox({cmdPrint}, root));
    toolbar->addStretch(1);
    toolbar->addWidget(makeToolbarBox({b.first, b.previous, position, b.next, b.last}, root));
    toolbar->addStretch(1);
    toolbar->addWidget(makeToolbarBox({cmdExport, cmdDefaulting}, root));
    toolbar->addWidget(makeToolbarBox({cmdHelp, b.close}, root));

    // Record area: decorative photograph and the fields.
    makeFields(clientFields(), layout, QStringLiteral("lblField"));
    field("Gender")->setAlignment(Qt::AlignCenter);
    auto *btnEmail = makeButton(QStringLiteral("btnEmail"), QStringLiteral(":/artwork/email.svg"),
                                QStringLiteral("Send an e-mail to the client."), root, QSize(26, 22));
    auto *icoIssues = makeButton(QStringLiteral("icoIssues"), QStringLiteral(":/artwork/info.svg"),
                                 QStringLiteral("Info about pending issues with clients."), root, QSize(22, 22));
    placeAfter("Email", btnEmail);
    placeAfter("Issues", icoIssues);

    auto *recordArea = ui::makeBox(QColor(0xC8, 0xD6, 0xE3), root, 8);
    recordArea->setObjectName(QStringLiteral("shpRecord"));
    auto *areaLayout = new QHBoxLayout(recordArea);
    areaLayout->setContentsMargins(12, 12, 12, 12);
    areaLayout->setSpacing(12);

    auto *photoBox = ui::makeBox(Qt::white, recordArea, 6);
    photoBox->setObjectName(QStringLiteral("shpPhoto"));
    photoBox->setFixedWidth(212);
    auto *photoLayout = new QVBoxLayout(photoBox);
    photoLayout->setContentsMargins(6, 6, 6, 6);
    auto *photo = new QSvgWidget(QStringLiteral(":/artwork/client_photo.svg"), photoBox);
    photo->setObjectName(QStringLiteral("imgPhoto"));
    photo->setFixedSize(200, 260);
    photoLayout->addStretch(1);
    photoLayout->addWidget(photo, 0, Qt::AlignHCenter);
    photoLayout->addStretch(1);

    auto *fieldsBox = ui::makeBox(Qt::white, recordArea, 6);
    fieldsBox->setObjectName(QStringLiteral("shpFields"));
    auto *fieldsLayout = new QVBoxLayout(fieldsBox);
    fieldsLayout->setContentsMargins(14, 10, 14, 10);
    fieldsLayout->setSpacing(0);
    QWidget *area = buildArea(0, fieldsBox, 11, 10);
    fieldsLayout->addWidget(area, 1);
    // The flags stand at the right end of the Notes row.
    if (auto *notesRow = area->layout()->itemAt(10)) {
        if (auto *row = notesRow->layout())
            row->addWidget(makeFlags(area));
    }

    areaLayout->addWidget(photoBox);
    areaLayout->addWidget(fieldsBox, 1);
    clearsHint({recordArea, photoBox, fieldsBox, photo});

    auto *main = new QVBoxLayout(root);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(10);
    main->addLayout(toolbar);
    main->addWidget(recordArea, 1);
    main->addWidget(hintBar());

    createEngine(records::clientFile());
    engine()->setRequired({{QStringLiteral("txtName"), kNameRequired}});

    connect(b.newRecord, &QAbstractButton::clicked, this, &TfrmClients::cmdNewClick);
    connect(b.duplicate, &QAbstractButton::clicked, this, &TfrmClients::cmdDuplicateClick);
    connect(b.save, &QAbstractButton::clicked, this, &TfrmClients::cmdSaveClick);
    connect(b.first, &QAbstractButton::clicked, this, &TfrmClients::cmdFirstClick);
    connect(b.previous, &QAbstractButton::clicked, this, &TfrmClients::cmdPreviousClick);
    connect(b.next, &QAbstractButton::clicked, this, &TfrmClients::cmdNextClick);
    connect(b.last, &QAbstractButton::clicked, this, &TfrmClients::cmdLastClick);
    connect(btnEmail, &QAbstractButton::clicked, this, &TfrmClients::btnEmailClick);
    connect(icoIssues, &QAbstractButton::clicked, this, &TfrmClients::icoIssuesClick);
    connect(cmdFind, &QAbstractButton::clicked, this, &TfrmClients::cmdFindClick);
    connect(cmdDefaulting, &QAbstractButton::clicked, this, &TfrmClients::cmdDefaultingClick);
    connect(cmdAttach, &QAbstractButton::clicked, this, &TfrmClients::cmdAttachClick);
    connect(cmdPrint, &QAbstractButton::clicked, this, &TfrmClients::cmdPrintClick);
    connect(cmdExport, &QAbstractButton::clicked, this, &TfrmClients::cmdExportClick);
    connect(cmdHelp, &QAbstractButton::clicked, this, &TfrmClients::cmdHelpClick);
}

void TfrmClients::showEvent(QShowEvent *event)
{
    ui::EditorWindow::showEvent(event);
    // Every showing starts on an empty new record.
    if (!event->spontaneous())
        cmdNewClick();
}

void TfrmClients::cmdNewClick() { engine()->newRecord(); }
void TfrmClients::cmdDuplicateClick() { engine()->duplicate(); }
void TfrmClients::cmdSaveClick() { engine()->save(); }
void TfrmClients::cmdFirstClick() { engine()->first(); }
void TfrmClients::cmdPreviousClick() { engine()->previous(); }
void TfrmClients::cmdNextClick() { engine()->next(); }
void TfrmClients::cmdLastClick() { engine()->last(); }

void TfrmClients::btnEmailClick()
{
    TMisc::Open(QStringLiteral("\"mailto:") + ui::trimControl(field("Email")->text()) + QStringLiteral("\""));
}

void TfrmClients::cmdFindClick() { search::openSearch(clientSearch(), this, QStringLiteral("clients")); }

void TfrmClients::cmdDefaultingClick() { search::openSearch(pendingIssues(), this, QString()); }

void TfrmClients::cmdAttachClick() { exchange::openAttachments(this, QStringLiteral("clients")); }
void TfrmClients::cmdPrintClick() { printClientCard(this); }
void TfrmClients::cmdExportClick() { exchange::openClientExport(this); }
void TfrmClients::cmdHelpClick() { help::showHelp(this, help::Topic::Clients); }

void TfrmClients::icoIssuesClick()
{
    ui::information(this, kIssuesInfo);
    field("Issues")->setFocus(Qt::OtherFocusReason);
}

} // namespace clients
