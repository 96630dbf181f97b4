#pragma once

#include <QPoint>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace testing {

// Finds the controls of a window under test by their object names, the way
// every editor test reaches into its window.
class WindowControls
{
public:
    void setWindow(QWidget *window) { m_window = window; }
    QWidget *window() const { return m_window; }

    QLineEdit *edit(const QString &name) const;
    QLabel *label(const QString &name) const;
    // The text of the record position label `lblPosizione`.
    QString position() const;
    // Clicks the picture button `name`; fails the test when there is none.
    void click(const QString &name) const;

    // `control` is a picture button out of the Tab order, with the hand
    // cursor and `hint` as accessible name; the hint bar shows the hint while
    // the mouse is over it and keeps it while the mouse moves on to `field`.
    void verifyHint(const QString &control, const QString &hint, const QString &field) const;
    // Moving the mouse over `area` at `point` empties the hint bar.
    void verifyHintCleared(QWidget *area, QPoint point) const;
    // The same over the top edge of the window's main panel.
    void verifyHintClearedOverPanel() const;

private:
    QWidget *m_window = nullptr;
};

// Shows `window` at the size of a 1366 x 768 screen (the offscreen screen is
// smaller) and waits until it is exposed and active.
bool showAndActivate(QWidget *window);

} // namespace testing
