#include "app/launcher.h"

#include "app/aboutwindow.h"
#include "app/helpwindow.h"
#include "ui/dialogs/tmisc.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/navigation.h"
#include "ui/widgets/picturebutton.h"
#include "ui/widgets/usewindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace app {

namespace {

struct Tile {
    const char *number; // suffix of the three controls
    const char *picture;
    const char *button;
    const char *english;
    const char *italian;
    const char *target; // primary window the tile opens
};

constexpr Tile kTiles[] = {
    {"01", ":/artwork/tile_fleet.svg", ":/artwork/tilebtn_fleet.svg", "VEHICLE FLEET", "FLOTTA VEICOLI", "TfrmFleet"},
    {"02", ":/artwork/tile_clients.svg", ":/artwork/tilebtn_clients.svg", "CLIENT DATABASE", "ARCHIVIO CLIENTI",
     "TfrmClients"},
    {"04", ":/artwork/tile_agreements.svg", ":/artwork/tilebtn_agreements.svg", "RENTAL AGREEMENTS",
     "CONTRATTI NOLEGGIO", "TfrmMenuRicevute"},
};

} // namespace

TfrmAvvio::TfrmAvvio(QWidget *parent) : ui::GradientWidget(QColor(0x40, 0x8A, 0xB3), Qt::white, parent)
{
    setObjectName(QStringLiteral("TfrmAvvio"));
    setWindowTitle(QStringLiteral(" Carvello"));
    setAttribute(Qt::WA_QuitOnClose, false);

    auto *outer = new QGridLayout(this);
    auto *card = ui::makeBox(Qt::white, this, 14);
    card->setObjectName(QStringLiteral("panCard"));
    card->setFixedSize(820, 560);
    outer->addWidget(card, 0, 0, Qt::AlignCenter);

    auto *cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(24, 18, 24, 14);
    cardLayout->setSpacing(8);

    auto *title = new QSvgWidget(QStringLiteral(":/artwork/title.svg"), card);
    title->setObjectName(QStringLiteral("imgTitle"));
    title->setFixedSize(560, 90);
    auto *subtitle = new QSvgWidget(QStringLiteral(":/artwork/subtitle.svg"), card);
    subtitle->setObjectName(QStringLiteral("imgSubtitle"));
    subtitle->setFixedSize(560, 36);
    cardLayout->addWidget(title, 0, Qt::AlignHCenter);
    cardLayout->addWidget(subtitle, 0, Qt::AlignHCenter);
    cardLayout->addSpacing(6);

    auto *band = ui::makeBox(QColor(0xA9, 0xC4, 0xDB), card, 10);
    band->setObjectName(QStringLiteral("shpBand"));
    auto *bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(16, 16, 16, 16);
    bandLayout->setSpacing(16);
    for (const Tile &t : kTiles) {
        const QString english = QString::fromUtf8(t.english);
        const QString target = QString::fromUtf8(t.target);
        auto *tile = ui::makeBox(Qt::white, band, 8);
        tile->setObjectName(QStringLiteral("shpApp") + QString::fromUtf8(t.number));
        auto *tileLayout = new QVBoxLayout(tile);
        tileLayout->setContentsMargins(8, 8, 8, 8);
        tileLayout->setSpacing(6);
        auto *img = new ui::PictureButton(QStringLiteral("imgApp") + QString::fromUtf8(t.number),
                                          QString::fromUtf8(t.picture), english, tile);
        img->setFixedSize(220, 150);
        auto *btn = new ui::PictureButton(QStringLiteral("btnApp") + QString::fromUtf8(t.number),
                                          QString::fromUtf8(t.button), english, tile);
        btn->setFixedSize(220, 40);
        auto *ita = new ui::PictureButton(QStringLiteral("ItaApp") + QString::fromUtf8(t.number), QString(),
                                          QString::fromUtf8(t.italian), tile);
        ita->setCaption(QString::fromUtf8(t.italian), ui::windowFont(QStringLiteral("Verdana"), 12, true),
                        QColor(0x42, 0x7A, 0xA8));
        ita->setFixedSize(220, 22);
        for (ui::PictureButton *b : {img, btn, ita}) {
            tileLayout->addWidget(b, 0, Qt::AlignHCenter);
            connect(b, &QAbstractButton::clicked, this, [this, target] { openTile(target); });
        }
        bandLayout->addWidget(tile);
    }
    cardLayout->addWidget(band, 0, Qt::AlignHCenter);

    auto *icoSito = new ui::PictureButton(QStringLiteral("icoSito"), QStringLiteral(":/artwork/strip.svg"),
                                          QStringLiteral("Visit our web site"), card);
    icoSito->setFixedSize(700, 40);
    connect(icoSito, &QAbstractButton::clicked, this, &TfrmAvvio::icoSitoClick);
    cardLayout->addWidget(icoSito, 0, Qt::AlignHCenter);
    cardLayout->addStretch(1);

    auto *corners = new QHBoxLayout;
    auto *imgCopyright =
        new ui::PictureButton(QStringLiteral("imgCopyright"), QStringLiteral(":/artwork/copyright.svg"),
                              QStringLiteral("About Carvello"), card);
    imgCopyright->setFixedSize(32, 32);
    connect(imgCopyright, &QAbstractButton::clicked, this, &TfrmAvvio::imgCopyrightClick);
    corners->addWidget(imgCopyright);
    corners->addStretch(1);
    auto *imgEsci = new ui::PictureButton(QStringLiteral("imgEsci"), QStringLiteral(":/artwork/exit.svg"),
                                          QStringLiteral("Exit"), card);
    imgEsci->setFixedSize(32, 32);
    connect(imgEsci, &QAbstractButton::clicked, this, &TfrmAvvio::imgEsciClick);
    corners->addWidget(imgEsci);
    cardLayout->addLayout(corners);

    // The help icon sits in the card's top right corner, over the margin
    // beside the title.
    auto *imgGuida = new ui::PictureButton(QStringLiteral("imgGuida"), QStringLiteral(":/artwork/help.svg"),
                                           QStringLiteral("Help"), card);
    imgGuida->setFixedSize(32, 32);
    imgGuida->move(card->width() - 32 - 14, 14);
    connect(imgGuida, &QAbstractButton::clicked, this, &TfrmAvvio::imgGuidaClick);
}

void TfrmAvvio::openTile(const QString &targetWindow)
{
    if (QWidget *target = ui::primaryWindow(targetWindow))
        ui::switchPrimary(target, this);
}

void TfrmAvvio::imgEsciClick() { Q_EMIT endProgram(); }

void TfrmAvvio::imgCopyrightClick() { ui::runUseWindow(new TfrmSplash(this)); }
void TfrmAvvio::imgGuidaClick() { help::showHelp(this, help::Topic::Overview); }

void TfrmAvvio::icoSitoClick() { TMisc::Open(webSite()); }

void TfrmAvvio::closeEvent(QCloseEvent *event)
{
    event->accept();
    Q_EMIT endProgram();
}

} // namespace app
