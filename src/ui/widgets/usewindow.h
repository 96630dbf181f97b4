#pragma once

#include <QColor>
#include <QDialog>
#include <QPointer>

class QLabel;

namespace ui {

class GradientWidget;

// The base of every per-use window: the window that needs one creates a
// fresh instance, writes its caller word into `lblMemory`, shows it modally
// with runUseWindow() and forgets it. Unless it is maximised, the window has
// no title-bar buttons and is centred over its caller (over the screen when
// the caller is not on screen) each time it is shown. It paints its own
// background.
class UseWindow : public QDialog
{
    Q_OBJECT

public:
    struct Design {
        QString className; // object name of the window
        QString caption;
        // The background: a vertical gradient from `top` to `bottom`, or
        // one colour when both are the same.
        QColor top = QColor(0xF4, 0xF8, 0xFC);
        QColor bottom = QColor(0xF4, 0xF8, 0xFC);
        // A window that takes the whole screen, with the usual title-bar
        // buttons, instead of a fixed dialog centred over its caller.
        bool maximised = false;
        // Centred on the screen rather than over the caller.
        bool overScreen = false;
    };

    UseWindow(const Design &design, QWidget *caller);

    QWidget *caller() const { return m_caller; }
    QLabel *memoryLabel() const { return m_memory; }
    // The caller word as the window compares it: trimmed, case-sensitive.
    QString callerWord() const;
    void setCallerWord(const QString &word);

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // Runs each time the window is shown, after it has been centred.
    virtual void formShow() { }

private:
    void centreOverCaller();

    QPointer<QWidget> m_caller;
    QLabel *m_memory;
    QColor m_top;
    QColor m_bottom;
    bool m_maximised;
    bool m_overScreen;
};

// Centres `window` (its client area, not its frame) over `over`, or over the
// screen when `over` is not shown.
void centreWindow(QWidget *window, const QWidget *over);

// Shows a per-use window modally and disposes of it: it is hidden and deleted
// from the event loop once every handler of its closing has returned, never
// from inside one of them. Returns the window's result code.
int runUseWindow(QDialog *window);

} // namespace ui
