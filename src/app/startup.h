#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QApplication;

namespace app {

// Settings of the process that every window relies on: font substitutes,
// application names. Call once after the application object exists.
void prepareApplication(QApplication &application);

// Creates the primary windows once, in start-up order, and registers them
// for switching. The returned list owns nothing; windows are deleted with
// `destroyWindows`.
// Removes what writers killed in an earlier run left behind: temporary files
// of the program's own naming whose process is gone.
void removeLeftovers();

QList<QWidget *> createWindows();
void destroyWindows(const QList<QWidget *> &windows);

// The window shown first.
QWidget *mainWindow();

// Lets start-up be timed from outside (scripts/bench.sh): once `window` has
// been exposed and painted for the first time, prints "shown" on standard
// output and quits the event loop. main() calls it only when the
// environment variable CARVELLO_EXIT_WHEN_SHOWN is set, so a normal start
// is untouched.
void quitWhenShown(QWidget *window);

} // namespace app
