#include "ui/widgets/navigation.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

namespace ui {

namespace {
QHash<QString, QPointer<QWidget>> &registry()
{
    static QHash<QString, QPointer<QWidget>> windows;
    return windows;
}
} // namespace

void registerPrimary(QWidget *window) { registry().insert(window->objectName(), window); }

void unregisterPrimary(QWidget *window)
{
    const auto it = registry().find(window->objectName());
    if (it != registry().end() && it.value() == window)
        registry().erase(it);
}

QWidget *primaryWindow(const QString &name) { return registry().value(name); }

void showPrimary(QWidget *window)
{
    if (!window)
        return;
    if (window->property("carvelloFixedDialog").toBool())
        window->show();
    else
        window->showMaximized();
    window->raise();
    window->activateWindow();
}

void switchPrimary(QWidget *target, QWidget *source)
{
    showPrimary(target);
    if (source && source != target)
        source->hide();
}

void backToLauncher(QWidget *source) { switchPrimary(primaryWindow(QStringLiteral("TfrmAvvio")), source); }

} // namespace ui
