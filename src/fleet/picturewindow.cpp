#include "fleet/picturewindow.h"

#include "fleet/picturebox.h"

#include <QEvent>
#include <QGridLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace fleet {

PictureWindow::PictureWindow(const QString &className, const QString &caption, QWidget *parent)
    : ui::UseWindow({className, caption, QColor(0x46, 0x82, 0xB4), Qt::white, true}, parent),
      m_panContainer(new QWidget(this)),
      m_imgFoto(new PictureBox(QStringLiteral("imgFoto")))
{
    setCursor(Qt::PointingHandCursor);

    m_panContainer->setObjectName(QStringLiteral("panContainer"));
    m_panContainer->installEventFilter(this);
    auto *panel = new QVBoxLayout(m_panContainer);
    panel->setContentsMargins(0, 0, 0, 0);
    m_imgFoto->setParent(m_panContainer);
    panel->addWidget(m_imgFoto, 0, Qt::AlignCenter);

    auto *outer = new QGridLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_panContainer, 0, 0, Qt::AlignCenter);
    // The panel must not become the window's minimum size: growing to it
    // would resize the window, and a resized window is no longer maximised.
    outer->setSizeConstraint(QLayout::SetNoConstraint);

    connect(m_imgFoto, &PictureBox::clicked, this, &PictureWindow::imgFotoClick);
}

QSize PictureWindow::pixelBox() const { return m_imgFoto->size() * m_imgFoto->devicePixelRatio(); }

void PictureWindow::imgFotoClick() { close(); }

void PictureWindow::panContainerClick() { close(); }

void PictureWindow::showEvent(QShowEvent *event)
{
    const QScreen *where = screen();
    const QSize area = where ? where->availableGeometry().size() : QSize(1366, 768);
    const QSize box = (area - QSize(60, 90)).expandedTo(QSize(1, 1));
    m_panContainer->setFixedSize(box);
    m_imgFoto->setFixedSize(box);
    ui::UseWindow::showEvent(event);
}

void PictureWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        close();
        return;
    }
    ui::UseWindow::mousePressEvent(event);
}

bool PictureWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panContainer && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        panContainerClick();
        return true;
    }
    return ui::UseWindow::eventFilter(watched, event);
}

} // namespace fleet
