#include "clients/clienteditor.h"

#include "clients/clientfields.h"
#include "records/datafolder.h"
#include "records/layout.h"
#include "ui/dialogs.h"
#include "ui/hintbar.h"
#include "ui/picturebutton.h"
#include "ui/tmisc.h"

#include <QHash>
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
    const records::Layout &layout = records::clientLayout();
    setPanelSize(994, 692);
    QWidget *root = panel();

    // Toolbar.
    struct ButtonDef {
        const char *name;
        const char *picture;
        const char *hint;
    };
    static constexpr ButtonDef kButtons[] = {
        {"cmdNew", "new", "Enter new record."},
        {"cmdDuplicate", "duplicate", "Duplicate record."},
        {"cmdSave", "save", "Save record."},
        {"cmdFirst", "first", "View first record."},
        {"cmdPrevious", "previous", "View previous record."},
        {"cmdNext", "next", "View next record."},
        {"cmdLast", "last", "View last record."},
        {"cmdClose", "close", "Close window."},
    };
    QHash<QString, ui::PictureButton *> buttons;
    for (const ButtonDef &b : kButtons) {
        const QString name = QString::fromLatin1(b.name);
        buttons.insert(name, makeButton(name, QStringLiteral(":/artwork/%1.svg").arg(QLatin1String(b.picture)),
                                        QString::fromLatin1(b.hint), root));
    }
    auto *cmdNew = buttons.value(QStringLiteral("cmdNew"));
    auto *cmdDuplicate = buttons.value(QStringLiteral("cmdDuplicate"));
    auto *cmdSave = buttons.value(QStringLiteral("cmdSave"));
    auto *cmdFirst = buttons.value(QStringLiteral("cmdFirst"));
    auto *cmdPrevious = buttons.value(QStringLiteral("cmdPrevious"));
    auto *cmdNext = buttons.value(QStringLiteral("cmdNext"));
    auto *cmdLast = buttons.value(QStringLiteral("cmdLast"));
    auto *cmdClose = buttons.value(QStringLiteral("cmdClose"));
    QLabel *position = makePositionLabel(root);

    auto *toolbar = new QHBoxLayout;
    toolbar->setSpacing(10);
    toolbar->addWidget(makeToolbarBox({cmdNew, cmdDuplicate, cmdSave}, root));
    toolbar->addStretch(1);
    toolbar->addWidget(makeToolbarBox({cmdFirst, cmdPrevious, position, cmdNext, cmdLast}, root));
    toolbar->addStretch(1);
    toolbar->addWidget(makeToolbarBox({cmdClose}, root));

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

    createEngine(layout, [] { return records::dataFile("Clients.Pro"); });
    engine()->setRequired({{QStringLiteral("txtName"), kNameRequired}});

    connect(cmdNew, &QAbstractButton::clicked, this, &TfrmClients::cmdNewClick);
    connect(cmdDuplicate, &QAbstractButton::clicked, this, &TfrmClients::cmdDuplicateClick);
    connect(cmdSave, &QAbstractButton::clicked, this, &TfrmClients::cmdSaveClick);
    connect(cmdFirst, &QAbstractButton::clicked, this, &TfrmClients::cmdFirstClick);
    connect(cmdPrevious, &QAbstractButton::clicked, this, &TfrmClients::cmdPreviousClick);
    connect(cmdNext, &QAbstractButton::clicked, this, &TfrmClients::cmdNextClick);
    connect(cmdLast, &QAbstractButton::clicked, this, &TfrmClients::cmdLastClick);
    connect(cmdClose, &QAbstractButton::clicked, this, &QWidget::close);
    connect(btnEmail, &QAbstractButton::clicked, this, &TfrmClients::btnEmailClick);
    connect(icoIssues, &QAbstractButton::clicked, this, &TfrmClients::icoIssuesClick);
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
    TMisc::Open(QStringLiteral("\"mailto:") + field("Email")->text().trimmed() + QStringLiteral("\""));
}

void TfrmClients::icoIssuesClick()
{
    ui::information(this, kIssuesInfo);
    field("Issues")->setFocus(Qt::OtherFocusReason);
}

} // namespace clients
