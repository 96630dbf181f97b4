#include "app/aboutwindow.h"

#include "app/launcher.h"
#include "ui/dialogs/tmisc.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/gradientwidget.h"
#include "ui/widgets/linklabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace app {

TfrmSplash::TfrmSplash(QWidget *caller)
    : ui::UseWindow(
        {QStringLiteral("TfrmSplash"), QStringLiteral(" About Carvello"), Qt::white, QColor(0x35, 0x25, 0x25)}, caller)
{
    setFixedSize(661, 467);

    // The artwork: the program's title and its three tiles on a white card.
    auto *card = ui::makeBox(Qt::white, this, 14);
    card->setObjectName(QStringLiteral("imgSplash"));
    card->setAccessibleName(QStringLiteral("Carvello"));
    auto *cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(24, 18, 24, 18);
    cardLayout->setSpacing(10);
    auto *title = new QSvgWidget(QStringLiteral(":/artwork/title.svg"), card);
    title->setFixedSize(420, 68);
    cardLayout->addWidget(title, 0, Qt::AlignHCenter);
    auto *tiles = new QHBoxLayout;
    tiles->setSpacing(14);
    for (const char *art : {"tile_fleet", "tile_clients", "tile_agreements"}) {
        auto *tile = new QSvgWidget(QStringLiteral(":/artwork/%1.svg").arg(QLatin1String(art)), card);
        tile->setFixedSize(150, 100);
        tiles->addWidget(tile);
    }
    cardLayout->addLayout(tiles);
    auto *line = new QLabel(QStringLiteral("Rental agreements, clients and vehicle fleet for the rental desk.\n"
                                           "Version ")
                                + QStringLiteral(CARVELLO_VERSION),
                            card);
    line->setObjectName(QStringLiteral("lblVersione"));
    line->setAlignment(Qt::AlignCenter);
    line->setFont(ui::windowFont(QStringLiteral("Tahoma"), 13));
    line->setStyleSheet(QStringLiteral("color: #1F3A5F;"));
    cardLayout->addWidget(line);

    auto *web = new QHBoxLayout;
    // On the card: the dark end of the gradient would swallow the link.
    auto *imgWeb = new QSvgWidget(QStringLiteral(":/artwork/globe.svg"), card);
    imgWeb->setObjectName(QStringLiteral("imgWeb"));
    imgWeb->setFixedSize(26, 26);
    auto *lnkWeb = new ui::LinkLabel(QStringLiteral("lnkWeb"), TfrmAvvio::webSite(), card);
    lnkWeb->setFont(ui::windowFont(QStringLiteral("Tahoma"), 14));
    lnkWeb->attachPicture(imgWeb);
    web->addStretch(1);
    web->addWidget(imgWeb);
    web->addWidget(lnkWeb);
    web->addStretch(1);
    cardLayout->addLayout(web);

    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setFont(ui::windowFont(QStringLiteral("Tahoma"), 13, true));
    close->setMinimumSize(130, 32);
    close->setCursor(Qt::PointingHandCursor);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(24, 20, 24, 18);
    main->setSpacing(12);
    main->addWidget(card, 1);
    main->addWidget(close, 0, Qt::AlignRight);

    connect(lnkWeb, &ui::LinkLabel::activated, this, &TfrmSplash::lnkWebClick);
    connect(close, &QPushButton::clicked, this, &TfrmSplash::btnChiudiClick);
}

void TfrmSplash::lnkWebClick() { TMisc::Open(TfrmAvvio::webSite()); }

void TfrmSplash::btnChiudiClick() { accept(); }

} // namespace app
