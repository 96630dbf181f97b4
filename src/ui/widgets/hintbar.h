#pragma once

#include <QColor>
#include <QLabel>
#include <QObject>

namespace ui {

// The one-line hint bar `panInfo` on a coloured strip at the bottom of a
// window. Controls write their hint into it while the mouse is over them; the
// background and decorative shapes clear it. The label keeps its text as its
// accessible name, so a screen reader reads the hint.
class HintBar final : public QWidget
{
    Q_OBJECT

public:
    HintBar(const QColor &barColour, const QString &greeting, QWidget *parent = nullptr);

    QLabel *label() const { return m_label; }
    QString text() const;
    void setText(const QString &text);

    // The hint shown while the mouse moves over `control`.
    void addHint(QWidget *control, const QString &hint);
    // Moving over `area` (background, panels, shapes) empties the bar.
    void clearOver(QWidget *area);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_label;
};

} // namespace ui
