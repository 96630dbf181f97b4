#include "app/launcher.h"
#include "app/passwordwindows.h"
#include "app/startup.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/navigation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ui::requestSoftwareRendering();
    QApplication application(argc, argv);
    app::prepareApplication(application);
    app::removeLeftovers();
    const QList<QWidget *> windows = app::createWindows();
    for (QWidget *w : windows) {
        if (auto *launcher = qobject_cast<app::TfrmAvvio *>(w))
            QObject::connect(launcher, &app::TfrmAvvio::endProgram, &application, &QCoreApplication::quit);
        if (auto *login = qobject_cast<app::TfrmPassword *>(w))
            QObject::connect(login, &app::TfrmPassword::endProgram, &application, &QCoreApplication::quit);
    }
    if (qEnvironmentVariableIsSet("CARVELLO_EXIT_WHEN_SHOWN"))
        app::quitWhenShown(app::mainWindow());
    ui::showPrimary(app::mainWindow());
    const int code = application.exec();
    app::destroyWindows(windows);
    return code;
}
