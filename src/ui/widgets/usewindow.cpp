#include "ui/widgets/usewindow.h"

#include "ui/dialogs/dialogs.h"
#include "ui/qtext.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

namespace ui {

UseWindow::UseWindow(const Design &design, QWidget *caller)
    : QDialog(caller, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_caller(caller),
      m_memory(new QLabel(this)),
      m_top(design.top),
      m_bottom(design.bottom),
      m_maximised(design.maximised),
      m_overScreen(design.overScreen)
{
    if (m_maximised) {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                       | Qt::WindowCloseButtonHint);
        setWindowState(Qt::WindowMaximized);
        // A dialog centres itself over its parent when first shown, and
        // moving a window drops its maximised state.
        setAttribute(Qt::WA_Moved);
    }
    setObjectName(design.className);
    setWindowTitle(design.caption);
    setModal(true);
    m_memory->setObjectName(QStringLiteral("lblMemory"));
    m_memory->hide();
}

QString UseWindow::callerWord() const { return trimControl(m_memory->text()); }

void UseWindow::setCallerWord(const QString &word) { m_memory->setText(word); }

void centreWindow(QWidget *window, const QWidget *over)
{
    QRect area;
    if (over && over->isVisible())
        area = QRect(over->mapToGlobal(QPoint(0, 0)), over->size());
    else if (const QScreen *screen = window->screen())
        area = screen->availableGeometry();
    if (!area.isValid())
        return;
    QRect client(QPoint(0, 0), window->size());
    client.moveCenter(area.center());
    // move() places the frame; the title bar is not part of the centring.
    window->move(client.topLeft() - (window->geometry().topLeft() - window->pos()));
}

void UseWindow::centreOverCaller() { centreWindow(this, m_overScreen ? nullptr : m_caller.data()); }

void UseWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous() && !m_maximised) {
        adjustSize();
        centreOverCaller();
    }
    QDialog::showEvent(event);
    if (!event->spontaneous())
        formShow();
}

void UseWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (m_top == m_bottom) {
        painter.fillRect(rect(), m_top);
    } else {
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, m_top);
        gradient.setColorAt(1, m_bottom);
        painter.fillRect(rect(), gradient);
    }
    QDialog::paintEvent(event);
}

int runUseWindow(QDialog *window)
{
    const int result = Dialogs::instance().execModal(window);
    window->hide();
    window->deleteLater();
    return result;
}

} // namespace ui
