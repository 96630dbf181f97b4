#pragma once

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

private:
    QWidget *m_window = nullptr;
};

// Shows `window` at the size of a 1366 x 768 screen (the offscreen screen is
// smaller) and waits until it is exposed and active.
bool showAndActivate(QWidget *window);

} // namespace testing
