#include "app/passwordwindows.h"

#include "records/accesspassword.h"
#include "records/inifile.h"
#include "records/password.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/tmisc.h"
#include "ui/qtext.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/fieldbehaviour.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/navigation.h"
#include "ui/widgets/picturebutton.h"
#include "ui/widgets/usewindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSvgWidget>
#include <QVBoxLayout>

#include <optional>

namespace app {

namespace {

const QColor kSteelBlue(0x46, 0x82, 0xB4);
const QColor kInk(0x1F, 0x3A, 0x5F);
const QString kSupportAddress = QStringLiteral("support@carvello-rental.example");

const QString kWrongPassword = QStringLiteral("Spiacente, password errata!.");
const QString kDecodeFailed = QStringLiteral(
    "Attenzione! Si è verificato un errore nella decodifica della password. Si consiglia di reinstallare il software.");
const QString kWrongOld = QStringLiteral("Attenzione! Vecchia password errata!");
const QString kNotConfirmed = QStringLiteral(
    "Attenzione! La nuova password non è stata confermata correttamente. Inserire nuovamente entrambi i valori.");
const QString kChanged = QStringLiteral("La password è stata cambiata con successo!");
const QString kChangeFailed = QStringLiteral(
    "Attenzione! Si è verificato un errore nella modifica della password. Si consiglia di installare nuovamente il "
    "software.");

std::optional<std::filesystem::path> g_programFolder;

// A fixed dialog of its design size, centred on the screen, without title-
// bar buttons, shown and hidden like every primary window.
void makeFixedPrimary(QWidget *window, const QString &name, const QString &caption, QSize size)
{
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window->setFixedSize(size);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setProperty("carvelloFixedDialog", true);
}

// A masked field with its eye icon, which shows and hides what is typed.
QLineEdit *maskedField(const QString &name, const QString &accessible, QWidget *parent, QHBoxLayout *row,
                       const QString &eyeName)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setEchoMode(QLineEdit::Password);
    field->setFont(ui::windowFont(QStringLiteral("Verdana"), 14, true));
    field->setAccessibleName(accessible);
    field->setMinimumHeight(28);
    auto *eye = new ui::PictureButton(eyeName, QStringLiteral(":/artwork/eye.svg"),
                                      QStringLiteral("Mostra o nascondi la password."), parent);
    eye->setFixedSize(30, 24);
    QObject::connect(eye, &QAbstractButton::clicked, field, [field] {
        field->setEchoMode(field->echoMode() == QLineEdit::Password ? QLineEdit::Normal : QLineEdit::Password);
    });
    row->addWidget(field, 1);
    row->addWidget(eye);
    return field;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFont(ui::windowFont(QStringLiteral("Tahoma"), 13, true));
    b->setMinimumSize(150, 32);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

// The program's name on a white card, readable on the gradient.
QWidget *logo(QWidget *parent)
{
    auto *card = ui::makeBox(Qt::white, parent, 10);
    auto *layout = new QVBoxLayout(card);
    layout->setContentsMargins(14, 8, 14, 8);
    auto *picture = new QSvgWidget(QStringLiteral(":/artwork/title.svg"), card);
    picture->setObjectName(QStringLiteral("imgLogo"));
    picture->setFixedSize(300, 48);
    layout->addWidget(picture);
    return card;
}

} // namespace

std::filesystem::path programFolder()
{
    if (g_programFolder)
        return *g_programFolder;
    return ui::fromQtPath(QCoreApplication::applicationDirPath());
}

void setProgramFolderForTests(const std::filesystem::path &folder) { g_programFolder = folder; }

TfrmPassword::TfrmPassword(QWidget *parent) : ui::GradientWidget(kSteelBlue, Qt::white, parent)
{
    makeFixedPrimary(this, QStringLiteral("TfrmPassword"), QStringLiteral(" Carvello - Login"), QSize(390, 428));

    auto *box = ui::makeBox(Qt::white, this, 10);
    box->setObjectName(QStringLiteral("shpPassword"));
    auto *prompt = new QLabel(QStringLiteral("Immetti la password e premi OK."), box);
    prompt->setObjectName(QStringLiteral("lblPassword"));
    prompt->setFont(ui::windowFont(QStringLiteral("Verdana"), 13, true));
    prompt->setStyleSheet(QStringLiteral("color: #1F3A5F;"));
    auto *fieldRow = new QHBoxLayout;
    m_password = maskedField(QStringLiteral("txtPassword"), QStringLiteral("Password"), box, fieldRow,
                             QStringLiteral("btnPassword"));
    prompt->setBuddy(m_password);
    ui::addFocusFrame(m_password, QStringLiteral("effPassword"));
    m_ok = button(QStringLiteral("cmdOK"), QStringLiteral("OK"), box);
    m_ok->setEnabled(false);
    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(16, 14, 16, 14);
    boxLayout->setSpacing(10);
    boxLayout->addWidget(prompt);
    boxLayout->addLayout(fieldRow);
    boxLayout->addWidget(m_ok, 0, Qt::AlignRight);

    auto *link = new ui::LinkLabel(QStringLiteral("lnkWeb"),
                                   QStringLiteral("Contatta l'autore se hai dimenticato la password"), this);
    link->setFont(ui::windowFont(QStringLiteral("Verdana"), 11));
    link->setAlignment(Qt::AlignCenter);

    auto *quit = button(QStringLiteral("cmdEsci"), QStringLiteral("Esci"), this);
    auto *change = button(QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia password"), this);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(quit);
    bottom->addStretch(1);
    bottom->addWidget(change);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(20, 18, 20, 18);
    main->setSpacing(14);
    main->addWidget(logo(this), 0, Qt::AlignHCenter);
    main->addWidget(box);
    main->addWidget(link);
    main->addStretch(1);
    main->addLayout(bottom);

    connect(m_password, &QLineEdit::textChanged, this, &TfrmPassword::updateOk);
    connect(m_ok, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(quit, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(change, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
    connect(link, &ui::LinkLabel::activated, this, &TfrmPassword::lnkWebClick);
    // Enter logs in when there is something to check, and does nothing else.
    connect(m_password, &QLineEdit::returnPressed, this, [this] {
        if (m_ok->isEnabled())
            cmdOKClick();
    });
}

void TfrmPassword::updateOk() { m_ok->setEnabled(!ui::trimControl(m_password->text()).isEmpty()); }

void TfrmPassword::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        ui::centreWindow(this, nullptr);
    ui::GradientWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmPassword::FormShow()
{
    records::seedPasswordFile(programFolder());
    m_password->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::cmdOKClick()
{
    const std::optional<std::string> stored = records::readStoredPassword();
    if (!stored) {
        ui::notice(this, kDecodeFailed);
        return;
    }
    const std::string entered = records::storedPasswordForm(ui::toStd(m_password->text()));
    if (entered == *stored) {
        m_leaving = true;
        ui::switchPrimary(ui::primaryWindow(QStringLiteral("TfrmAvvio")), this);
        return;
    }
    ui::notice(this, kWrongPassword);
    m_password->clear();
    m_password->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::cmdEsciClick() { Q_EMIT endProgram(); }

void TfrmPassword::btnCambiaPasswordClick()
{
    ui::switchPrimary(ui::primaryWindow(QStringLiteral("TfrmCambiaPassword")), this);
}

void TfrmPassword::lnkWebClick() { TMisc::Open(QStringLiteral("\"mailto:") + kSupportAddress + QStringLiteral("\"")); }

void TfrmPassword::closeEvent(QCloseEvent *event)
{
    // Closing the login window ends the program, as "Esci" does.
    event->ignore();
    Q_EMIT endProgram();
}

TfrmCambiaPassword::TfrmCambiaPassword(QWidget *parent) : ui::GradientWidget(kSteelBlue, Qt::white, parent)
{
    makeFixedPrimary(this, QStringLiteral("TfrmCambiaPassword"), QStringLiteral(" Cambia password"), QSize(411, 418));
    auto *box = ui::makeBox(Qt::white, this, 10);
    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(16, 12, 16, 12);
    boxLayout->setSpacing(4);
    struct Row {
        const char *field, *label, *eye, *frame;
    };
    const Row rows[] = {{"txtPasswordOld", "Vecchia password:", "btnPasswordOld", "effPasswordOld"},
                        {"txtPasswordNew", "Nuova password:", "btnPasswordNew", "effPasswordNew"},
                        {"txtConferma", "Conferma nuova password:", "btnConferma", "effConferma"}};
    QList<QLineEdit *> fields;
    for (const Row &r : rows) {
        auto *caption = new QLabel(QString::fromUtf8(r.label), box);
        caption->setFont(ui::windowFont(QStringLiteral("Verdana"), 12, true));
        caption->setStyleSheet(QStringLiteral("color: #1F3A5F;"));
        auto *line = new QHBoxLayout;
        QLineEdit *field = maskedField(QString::fromLatin1(r.field), QString::fromUtf8(r.label), box, line,
                                       QString::fromLatin1(r.eye));
        caption->setBuddy(field);
        ui::addFocusFrame(field, QString::fromLatin1(r.frame));
        boxLayout->addWidget(caption);
        boxLayout->addLayout(line);
        boxLayout->addSpacing(6);
        fields.append(field);
        connect(field, &QLineEdit::textChanged, this, &TfrmCambiaPassword::updateOk);
    }
    m_old = fields[0];
    m_new = fields[1];
    m_confirm = fields[2];
    auto *cycle = new ui::FieldCycle(QList<QWidget *>(fields.begin(), fields.end()), this);
    cycle->setTabWraps(false);

    auto *close = button(QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"), this);
    m_ok = button(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    m_ok->setEnabled(false);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(close);
    bottom->addStretch(1);
    bottom->addWidget(m_ok);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(20, 14, 20, 16);
    main->setSpacing(10);
    main->addWidget(logo(this), 0, Qt::AlignHCenter);
    main->addWidget(box);
    main->addStretch(1);
    main->addLayout(bottom);

    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ok, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
}

void TfrmCambiaPassword::updateOk()
{
    m_ok->setEnabled(!ui::trimControl(m_old->text()).isEmpty() && !ui::trimControl(m_new->text()).isEmpty()
                     && !ui::trimControl(m_confirm->text()).isEmpty());
}

void TfrmCambiaPassword::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        ui::centreWindow(this, nullptr);
    ui::GradientWidget::showEvent(event);
    if (event->spontaneous())
        return;
    for (QLineEdit *field : {m_old, m_new, m_confirm})
        field->clear();
    m_old->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::cmdOKClick()
{
    try {
        const std::optional<std::string> stored = records::readStoredPassword();
        if (!stored)
            throw records::IniFileError(records::passwordFilePath());
        if (records::storedPasswordForm(ui::toStd(m_old->text())) != *stored) {
            ui::notice(this, kWrongOld);
            m_old->clear();
            m_old->setFocus(Qt::OtherFocusReason);
            return;
        }
        // Compared as typed: a confirmation in another case is not one.
        if (ui::trimControl(m_new->text()) != ui::trimControl(m_confirm->text())) {
            ui::notice(this, kNotConfirmed);
            m_new->clear();
            m_confirm->clear();
            m_new->setFocus(Qt::OtherFocusReason);
            return;
        }
        records::writePassword(ui::toStd(m_new->text()));
    } catch (const std::exception &) {
        ui::notice(this, kChangeFailed);
        return;
    }
    ui::notice(this, kChanged);
    close();
}

void TfrmCambiaPassword::closeEvent(QCloseEvent *event)
{
    // A primary window is only hidden; the login window comes back empty.
    event->ignore();
    auto *login = ui::primary<TfrmPassword>(QStringLiteral("TfrmPassword"));
    if (login) {
        login->passwordField()->clear();
        ui::switchPrimary(login, this);
        login->passwordField()->setFocus(Qt::OtherFocusReason);
    } else {
        hide();
    }
}

} // namespace app
