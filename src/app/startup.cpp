#include "app/startup.h"

#include "agreements/agreementeditor.h"
#include "agreements/yearselection.h"
#include "app/launcher.h"
#include "clients/clienteditor.h"
#include "fleet/fleeteditor.h"
#include "ui/accessibility.h"
#include "ui/appearance.h"
#include "ui/navigation.h"

#include <QApplication>

namespace app {

void prepareApplication(QApplication &application)
{
    application.setApplicationName(QStringLiteral("Carvello"));
    application.setApplicationDisplayName(QString());
    application.setOrganizationName(QStringLiteral("Carvello"));
    ui::installFontSubstitutes();
    ui::installAccessibleScrollAreas();
    application.setFont(ui::windowFont(QStringLiteral("Tahoma"), 12));
}

QList<QWidget *> createWindows()
{
    QList<QWidget *> windows;
    auto add = [&windows](QWidget *w) {
        ui::registerPrimary(w);
        windows.append(w);
    };
    add(new TfrmAvvio);
    add(new clients::TfrmClients);
    add(new fleet::TfrmFleet);
    add(new agreements::TfrmMenuRicevute);
    add(new agreements::TfrmRent_Receipts);
    return windows;
}

void destroyWindows(const QList<QWidget *> &windows)
{
    for (QWidget *w : windows) {
        ui::unregisterPrimary(w);
        delete w;
    }
}

QWidget *mainWindow()
{
    // The login window takes this place once access is guarded.
    return ui::primaryWindow(QStringLiteral("TfrmAvvio"));
}

} // namespace app
