#include "agreements/yearselection.h"

#include "agreements/agreementcommon.h"
#include "app/helpwindow.h"
#include "records/recordfiles.h"
#include "ui/dialogs/dialogs.h"
#include "ui/qtext.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/fieldbehaviour.h"
#include "ui/widgets/navigation.h"
#include "ui/widgets/picturebutton.h"

#include <QCloseEvent>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace agreements {

namespace {

const QString kEditor = QStringLiteral("TfrmRent_Receipts");
// The window's state in `lblMemory`: shown without a choice, then opened.
const QString kStateStart = QStringLiteral("avvio");
const QString kStateOpened = QStringLiteral("ricevute");
const QString kYearRefused = QStringLiteral("Enter a calendar year using four digits.");
const QString kEditorCaption = QStringLiteral(" Carvello - Rental Agreements for the year ");

} // namespace

TfrmMenuRicevute::TfrmMenuRicevute(QWidget *parent) : ui::GradientWidget(QColor(0x3E, 0x74, 0x9E), Qt::white, parent)
{
    setObjectName(QStringLiteral("TfrmMenuRicevute"));
    setWindowTitle(QStringLiteral(" Carvello - Rental Agreements"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto *outer = new QGridLayout(this);
    auto *card = ui::makeBox(Qt::white, this, 14);
    card->setObjectName(QStringLiteral("panCard"));
    card->setFixedSize(720, 430);
    outer->addWidget(card, 0, 0, Qt::AlignCenter);

    auto *imgLogo02 = new QSvgWidget(QStringLiteral(":/artwork/banner_rental_agreements.svg"), card);
    imgLogo02->setObjectName(QStringLiteral("imgLogo02"));
    imgLogo02->setFixedSize(640, 96);

    auto *lblInformazioni = new QLabel(
        QStringLiteral("To issue Rental Agreements for your clients, enter a calendar year and press Open."), card);
    lblInformazioni->setObjectName(QStringLiteral("lblInformazioni"));
    lblInformazioni->setFont(ui::windowFont(QStringLiteral("Tahoma"), 14));
    lblInformazioni->setStyleSheet(QStringLiteral("color: #1F3A5F;"));
    lblInformazioni->setAlignment(Qt::AlignCenter);

    auto *yearBox = ui::makeBox(QColor(0xA9, 0xC4, 0xDB), card, 10);
    yearBox->setObjectName(QStringLiteral("shpAnnoFatture"));
    yearBox->setFixedSize(440, 112);
    auto *intAnnoFatture = new QLabel(QStringLiteral("Rental Agreements annual database"), yearBox);
    intAnnoFatture->setObjectName(QStringLiteral("intAnnoFatture"));
    intAnnoFatture->setFont(ui::windowFont(QStringLiteral("Verdana"), 15, true));
    intAnnoFatture->setStyleSheet(QStringLiteral("color: #1F3A5F;"));
    intAnnoFatture->setAlignment(Qt::AlignCenter);

    auto *titAnnoFatture = new QLabel(QStringLiteral("Year :"), yearBox);
    titAnnoFatture->setObjectName(QStringLiteral("titAnnoFatture"));
    titAnnoFatture->setFont(ui::windowFont(QStringLiteral("Verdana"), 15, true));
    titAnnoFatture->setStyleSheet(QStringLiteral("color: #1F3A5F;"));

    m_year = new QLineEdit(yearBox);
    m_year->setObjectName(QStringLiteral("txtAnnoFatture"));
    m_year->setMaxLength(4);
    m_year->setAlignment(Qt::AlignCenter);
    m_year->setFont(ui::windowFont(QStringLiteral("Verdana"), 19, true));
    m_year->setFixedSize(96, 34);
    m_year->setStyleSheet(QStringLiteral("QLineEdit { background: white; border: 1px solid #87CEEB; color: black; }"
                                         "QLineEdit:focus { background: #FFFF00; }"));
    m_year->setAccessibleName(QStringLiteral("Year :"));
    titAnnoFatture->setBuddy(m_year);
    // Only digits can be typed; pasting and dropping would let anything in.
    m_year->setContextMenuPolicy(Qt::NoContextMenu);
    m_year->setAcceptDrops(false);

    m_open = new QPushButton(QStringLiteral("Open"), yearBox);
    m_open->setObjectName(QStringLiteral("btnApriFatture"));
    m_open->setFont(ui::windowFont(QStringLiteral("Tahoma"), 15, true));
    m_open->setFixedSize(110, 34);
    m_open->setCursor(Qt::PointingHandCursor);
    // Enter on the focused button opens, as Enter in the year leads there.
    m_open->setAutoDefault(true);

    auto *yearRow = new QHBoxLayout;
    yearRow->setSpacing(12);
    yearRow->addStretch(1);
    yearRow->addWidget(titAnnoFatture);
    yearRow->addWidget(m_year);
    yearRow->addSpacing(8);
    yearRow->addWidget(m_open);
    yearRow->addStretch(1);
    auto *boxLayout = new QVBoxLayout(yearBox);
    boxLayout->setContentsMargins(16, 16, 16, 16);
    boxLayout->setSpacing(14);
    boxLayout->addWidget(intAnnoFatture);
    boxLayout->addLayout(yearRow);

    auto *imgEsci = new ui::PictureButton(QStringLiteral("imgEsci"), QStringLiteral(":/artwork/btn_close.svg"),
                                          QStringLiteral("Close"), card);
    imgEsci->setFixedSize(150, 44);
    auto *imgGuida = new ui::PictureButton(QStringLiteral("imgGuida"), QStringLiteral(":/artwork/btn_help.svg"),
                                           QStringLiteral("Help"), card);
    imgGuida->setFixedSize(150, 44);
    connect(imgGuida, &QAbstractButton::clicked, this, &TfrmMenuRicevute::imgGuidaClick);

    auto *bottom = new QHBoxLayout;
    bottom->setObjectName(QStringLiteral("layButtons"));
    bottom->setSpacing(12);
    bottom->addStretch(1);
    bottom->addWidget(imgGuida);
    bottom->addWidget(imgEsci);

    auto *cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(40, 24, 40, 20);
    cardLayout->setSpacing(18);
    cardLayout->addWidget(imgLogo02, 0, Qt::AlignHCenter);
    cardLayout->addWidget(lblInformazioni);
    cardLayout->addWidget(yearBox, 0, Qt::AlignHCenter);
    cardLayout->addStretch(1);
    cardLayout->addLayout(bottom);

    m_memory = new QLabel(kStateStart, this);
    m_memory->setObjectName(QStringLiteral("lblMemory"));
    m_memory->hide();
    m_file = new QLabel(this);
    m_file->setObjectName(QStringLiteral("lblFile"));
    m_file->hide();

    ui::installDigitsOnly(m_year, m_open);
    connect(m_open, &QAbstractButton::clicked, this, &TfrmMenuRicevute::btnApriFattureClick);
    connect(imgEsci, &QAbstractButton::clicked, this, &QWidget::close);
}

void TfrmMenuRicevute::showEvent(QShowEvent *event)
{
    ui::GradientWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmMenuRicevute::FormShow()
{
    m_year->setText(QDate::currentDate().toString(QStringLiteral("yyyy")));
    m_memory->setText(kStateStart);
    m_year->setFocus(Qt::OtherFocusReason);
}

void TfrmMenuRicevute::imgGuidaClick() { help::showHelp(this, help::Topic::Agreements); }

void TfrmMenuRicevute::btnApriFattureClick()
{
    const QString year = m_year->text();
    if (year.size() != 4) {
        ui::warning(this, kYearRefused);
        m_year->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString trimmedYear = ui::trimControl(year);
    const std::filesystem::path file = records::agreementYearFile(ui::toStd(trimmedYear));
    m_file->setText(ui::toQtPath(file));
    if (QWidget *editor = ui::primaryWindow(kEditor)) {
        if (auto *label = editor->findChild<QLabel *>(QStringLiteral("lblFile")))
            label->setText(ui::trimControl(m_file->text()));
        editor->setWindowTitle(kEditorCaption + trimmedYear);
    }
    m_memory->setText(kStateOpened);
    close();
}

void TfrmMenuRicevute::closeEvent(QCloseEvent *event)
{
    // A primary window is only hidden, never destroyed.
    event->ignore();
    QWidget *editor = ui::primaryWindow(kEditor);
    if (ui::trimControl(m_memory->text()) == kStateOpened && editor)
        ui::switchPrimary(editor, this);
    else
        ui::backToLauncher(this);
}

} // namespace agreements
