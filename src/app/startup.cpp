#include "app/startup.h"

#include "agreements/agreementeditor.h"
#include "agreements/yearselection.h"
#include "app/launcher.h"
#include "app/passwordwindows.h"
#include "clients/clienteditor.h"
#include "fleet/fleeteditor.h"
#include "records/datafolder.h"
#include "records/safefile.h"
#include "ui/accessibility.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/navigation.h"

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

void removeLeftovers()
{
    const std::filesystem::path folder = records::dataFolderPath();
    for (const char *sub : {"", "Vehicle_Fleet", "Attachments"})
        records::removeStaleTemporaries(*sub ? folder / sub : folder);
}

QList<QWidget *> createWindows()
{
    QList<QWidget *> windows;
    auto add = [&windows](QWidget *w) {
        ui::registerPrimary(w);
        windows.append(w);
    };
    add(new TfrmPassword);
    add(new TfrmCambiaPassword);
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

QWidget *mainWindow() { return ui::primaryWindow(QStringLiteral("TfrmPassword")); }

} // namespace app
