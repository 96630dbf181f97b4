#pragma once

#include "ui/widgets/gradientwidget.h"

namespace app {

// The start window: three tiles open the vehicle fleet, the client database
// and the rental agreements; closing it ends the program.
class TfrmAvvio final : public ui::GradientWidget
{
    Q_OBJECT

public:
    explicit TfrmAvvio(QWidget *parent = nullptr);

    // The vendor's web site, opened by the strip below the tiles.
    static QString webSite() { return QStringLiteral("https://www.carvello-rental.example"); }

    void openTile(const QString &targetWindow);
    void imgEsciClick();
    void imgCopyrightClick();
    void imgGuidaClick();
    void icoSitoClick();

Q_SIGNALS:
    // The launcher is the only window that ends the program.
    void endProgram();

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace app
