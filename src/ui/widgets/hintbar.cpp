#include "ui/widgets/hintbar.h"

#include "ui/widgets/picturebutton.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace ui {

namespace {
const char *const kHintProperty = "carvelloHint";
const char *const kClearProperty = "carvelloClearsHint";
} // namespace

HintBar::HintBar(const QColor &barColour, const QString &greeting, QWidget *parent)
    : QWidget(parent), m_label(new QLabel(greeting, this))
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, barColour);
    setPalette(pal);
    m_label->setObjectName(QStringLiteral("panInfo"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    m_label->setFont(font);
    QPalette labelPal = m_label->palette();
    labelPal.setColor(QPalette::WindowText, Qt::white);
    m_label->setPalette(labelPal);
    m_label->setAccessibleDescription(QStringLiteral("Hint"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 3, 10, 3);
    layout->addWidget(m_label);
    setFixedHeight(24);
}

QString HintBar::text() const { return m_label->text(); }

void HintBar::setText(const QString &text) { m_label->setText(text); }

void HintBar::addHint(QWidget *control, const QString &hint)
{
    control->setProperty(kHintProperty, hint);
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

void HintBar::clearOver(QWidget *area)
{
    area->setProperty(kClearProperty, true);
    area->setMouseTracking(true);
    area->installEventFilter(this);
}

bool HintBar::eventFilter(QObject *watched, QEvent *event)
{
    const QVariant hint = watched->property(kHintProperty);
    if (hint.isValid()) {
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
            setText(hint.toString());
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() != QEvent::MouseMove || !watched->property(kClearProperty).toBool())
        return QWidget::eventFilter(watched, event);
    // Moves over a child that does not track the mouse reach its ancestors
    // too: look at what is really under the pointer.
    auto *area = static_cast<QWidget *>(watched);
    const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
    for (QWidget *under = area->childAt(pos); under && under != area; under = under->parentWidget()) {
        const QVariant underHint = under->property(kHintProperty);
        if (underHint.isValid()) {
            setText(underHint.toString());
            return QWidget::eventFilter(watched, event);
        }
        // Fields have no hint of their own: the last hint stays.
        if (qobject_cast<QLineEdit *>(under) || qobject_cast<QPlainTextEdit *>(under)
            || qobject_cast<QTextEdit *>(under))
            return QWidget::eventFilter(watched, event);
    }
    setText(QString());
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
