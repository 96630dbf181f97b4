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
#include <QEvent>
#include <QWindow>

#include <cstdio>

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

namespace {

class QuitWhenShown final : public QObject
{
public:
    QuitWhenShown(QWidget *window, QObject *parent) : QObject(parent), m_window(window) { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Expose || m_seen || !m_window)
            return false;
        auto *handle = qobject_cast<QWindow *>(watched);
        if (!handle || handle != m_window->windowHandle() || !handle->isExposed())
            return false;
        m_seen = true;
        // Queued, so that the widgets paint while the expose is handled and
        // the time read outside includes the first picture.
        QMetaObject::invokeMethod(
            this,
            [] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    QPointer<QWidget> m_window;
    bool m_seen = false;
};

} // namespace

void quitWhenShown(QWidget *window)
{
    auto *watcher = new QuitWhenShown(window, qApp);
    qApp->installEventFilter(watcher);
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
