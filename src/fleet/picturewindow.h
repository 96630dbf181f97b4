#pragma once

#include "ui/widgets/usewindow.h"

namespace fleet {

class PictureBox;

// A maximised per-use window that shows one large picture on a steel-blue
// gradient: the panel `panContainer` and the picture box `imgFoto` take the
// screen less 60 pixels across and 90 down. A click on the picture, the panel
// or anywhere else in the window closes it.
class PictureWindow : public ui::UseWindow
{
    Q_OBJECT

public:
    PictureWindow(const QString &className, const QString &caption, QWidget *parent = nullptr);

    PictureBox *picture() const { return m_imgFoto; }
    QWidget *container() const { return m_panContainer; }
    // The size of the picture box, in device pixels.
    QSize pixelBox() const;

    void imgFotoClick();
    void panContainerClick();

protected:
    // Sizes the panel and the picture box to the screen.
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_panContainer;
    PictureBox *m_imgFoto;
};

} // namespace fleet
