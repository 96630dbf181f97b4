#pragma once

#include <QLabel>

namespace ui {

// A clickable text: dark blue at rest, orange while the mouse button is held
// on it, dark blue again after the click, which emits `activated`. Pictures
// beside it can share the behaviour through `attachPicture`.
class LinkLabel final : public QLabel
{
    Q_OBJECT

public:
    LinkLabel(const QString &objectName, const QString &text, QWidget *parent = nullptr);
    void attachPicture(QWidget *picture);

    static const QColor &restColour();
    static const QColor &pressedColour();

Q_SIGNALS:
    void activated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setColour(const QColor &colour);
};

} // namespace ui
