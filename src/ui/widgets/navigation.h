#pragma once

#include <QString>

class QWidget;

namespace ui {

// The primary windows (login, launcher, editors, year selection) are created
// once and switched: the target is shown first, then the source hidden, so
// one primary window is always on screen.
void registerPrimary(QWidget *window);
void unregisterPrimary(QWidget *window);
// The registered primary window of that class name (its objectName).
QWidget *primaryWindow(const QString &name);
template <typename T> T *primary(const QString &name) { return qobject_cast<T *>(primaryWindow(name)); }

void switchPrimary(QWidget *target, QWidget *source);
// Shows the launcher and hides `source`.
void backToLauncher(QWidget *source);

// Maximised primary windows show with this helper so that a window that was
// hidden keeps its place.
void showPrimary(QWidget *window);

} // namespace ui
