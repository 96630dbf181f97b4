#include "agreements/numerationwindow.h"

#include "agreements/agreementcommon.h"
#include "records/agreementsettings.h"
#include "records/inifile.h"
#include "ui/dialogs/dialogs.h"
#include "ui/qtext.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/fieldbehaviour.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSvgWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace agreements {

namespace {

const QString kDirections = QStringLiteral(
    "Use this function to start the numbering of your Rental Agreements from a number greater than 1.\n\n"
    "Press the New button before filling in a Rental Agreement to get its number automatically.");

// What the user may type into the starting-number field.
constexpr int kTypedLimit = 5;

} // namespace

TfrmNumeration::TfrmNumeration(QWidget *caller)
    : ui::UseWindow({QStringLiteral("TfrmNumeration"), QStringLiteral(" Set Rental Agreements starting number")},
                    caller)
{

    auto *imgLogo = new QSvgWidget(QStringLiteral(":/artwork/numeration_art.svg"), this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setFixedSize(150, 170);

    auto *icoDirections = new QLabel(kDirections, this);
    icoDirections->setObjectName(QStringLiteral("icoDirections"));
    icoDirections->setWordWrap(true);
    icoDirections->setFont(ui::windowFont(QStringLiteral("Tahoma"), 13));
    icoDirections->setStyleSheet(QStringLiteral("color: #1F3A5F;"));
    icoDirections->setFixedWidth(330);

    auto *icoMano = new QSvgWidget(QStringLiteral(":/artwork/hand.svg"), this);
    icoMano->setObjectName(QStringLiteral("icoMano"));
    icoMano->setFixedSize(48, 36);

    auto *grpNumerazione = new QGroupBox(QStringLiteral(" Start from number: "), this);
    grpNumerazione->setObjectName(QStringLiteral("grpNumerazione"));
    grpNumerazione->setFont(ui::windowFont(QStringLiteral("Tahoma"), 13, true));
    m_start = new QLineEdit(QStringLiteral("1"), grpNumerazione);
    m_start->setObjectName(QStringLiteral("txtInizio"));
    m_start->setMaxLength(kTypedLimit);
    m_start->setAlignment(Qt::AlignCenter);
    m_start->setFont(ui::windowFont(QStringLiteral("Verdana"), 16, true));
    m_start->setFixedSize(110, 28);
    m_start->setAccessibleName(QStringLiteral("Start from number:"));
    // Only digits can be typed; pasting and dropping would let anything in.
    m_start->setContextMenuPolicy(Qt::NoContextMenu);
    m_start->setAcceptDrops(false);
    auto *groupLayout = new QHBoxLayout(grpNumerazione);
    groupLayout->setContentsMargins(16, 10, 16, 10);
    groupLayout->addWidget(m_start, 0, Qt::AlignCenter);
    ui::addFocusFrame(m_start, QStringLiteral("effInizio"));

    auto *btnAnnulla = new QPushButton(QStringLiteral("Cancel"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    m_apply = new QPushButton(QStringLiteral("Apply and close"), this);
    m_apply->setObjectName(QStringLiteral("btnApplica"));
    m_apply->setDefault(false);
    for (QPushButton *b : {btnAnnulla, m_apply}) {
        b->setFont(ui::windowFont(QStringLiteral("Tahoma"), 13));
        b->setMinimumSize(130, 30);
        b->setCursor(Qt::PointingHandCursor);
    }

    auto *numberRow = new QHBoxLayout;
    numberRow->addWidget(icoMano, 0, Qt::AlignVCenter);
    numberRow->addWidget(grpNumerazione);
    numberRow->addStretch(1);

    auto *right = new QVBoxLayout;
    right->setSpacing(12);
    right->addWidget(icoDirections);
    right->addLayout(numberRow);
    right->addStretch(1);

    auto *top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(imgLogo, 0, Qt::AlignTop);
    top->addLayout(right, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnAnnulla);
    buttons->addWidget(m_apply);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(16, 16, 16, 14);
    main->setSpacing(14);
    main->addLayout(top);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    ui::installDigitsOnly(m_start, m_apply);
    m_start->installEventFilter(this);
    connect(m_apply, &QAbstractButton::clicked, this, &TfrmNumeration::btnApplicaClick);
    connect(btnAnnulla, &QAbstractButton::clicked, this, &TfrmNumeration::btnAnnullaClick);
}

bool TfrmNumeration::calledByAgreements() const { return callerWord() == kCallerAgreements; }

void TfrmNumeration::formShow()
{
    if (calledByAgreements()) {
        QString stored = ui::toQt(records::readStartNumber());
        // A value edited by hand that the field cannot hold is normalised
        // before it is shown, and shown whole, never cut: cutting would
        // change the number without the user typing.
        if (stored.size() > kTypedLimit)
            stored = ui::toQt(records::normaliseStartNumber(ui::toStd(stored)));
        m_start->setMaxLength(std::max<int>(kTypedLimit, static_cast<int>(stored.size())));
        m_start->setText(stored);
    }
    if (ui::trimControl(m_start->text()).isEmpty())
        m_start->setText(QStringLiteral("1"));
    m_start->setFocus(Qt::OtherFocusReason);
}

bool TfrmNumeration::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_start && event->type() == QEvent::FocusOut)
        txtInizioExit();
    return ui::UseWindow::eventFilter(watched, event);
}

void TfrmNumeration::txtInizioExit()
{
    m_start->setText(ui::toQt(records::normaliseStartNumber(ui::toStd(m_start->text()))));
}

void TfrmNumeration::btnApplicaClick()
{
    if (calledByAgreements()) {
        txtInizioExit();
        try {
            records::writeStartNumber(ui::toStd(ui::trimControl(m_start->text())));
        } catch (const records::IniFileError &e) {
            // The window stays open: the user may try again or cancel.
            ui::error(this, settingsWriteFailure(e.file()));
            return;
        }
    }
    accept();
}

void TfrmNumeration::btnAnnullaClick() { reject(); }

} // namespace agreements
