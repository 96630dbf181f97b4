#include "ui/widgets/fieldbehaviour.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>

namespace ui {

void styleEditorField(QLineEdit *field, const QColor &rest)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(12);
    font.setBold(true);
    field->setFont(font);
    field->setFixedHeight(22);
    field->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; border: 1px solid %2; padding: 0 3px; "
                                        "color: black; selection-background-color: #3399FF; }"
                                        "QLineEdit:focus { background-color: %3; }")
                             .arg(rest.name(), colours::skyBlue.name(), colours::focusYellow.name()));
    field->setProperty("restColour", rest);
}

namespace {

bool isEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

class EnterMover final : public QObject
{
public:
    EnterMover(QWidget *field, QWidget *target) : QObject(field), m_target(target) { field->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (isEnter(event)) {
            if (m_target)
                m_target->setFocus(Qt::TabFocusReason);
            return true;
        }
        return false;
    }

private:
    QPointer<QWidget> m_target;
};

class TypingFilterHook final : public QObject
{
public:
    TypingFilterHook(QLineEdit *field, TypingFilter filter) : QObject(field), m_filter(filter)
    {
        connect(field, &QLineEdit::textEdited, this, [this, field](const QString &text) {
            const QString filtered = applyTypingFilter(text, m_filter);
            if (filtered == text)
                return;
            // Keep the caret where the user was typing, less what the filter
            // removed before it.
            const int cursor = field->cursorPosition();
            int leading = 0;
            while (leading < text.size() && leading < cursor && text.at(leading).unicode() <= 32
                   && m_filter != TypingFilter::Upper)
                ++leading;
            field->setText(filtered);
            field->setCursorPosition(std::min<int>(cursor - leading, static_cast<int>(filtered.size())));
        });
    }

private:
    TypingFilter m_filter;
};

class DigitsOnly final : public QObject
{
public:
    DigitsOnly(QLineEdit *field, QWidget *confirm) : QObject(field), m_confirm(confirm)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            // Keep Ctrl+V and friends from reaching the field as shortcuts.
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
                event->accept();
                return false;
            }
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_confirm)
                m_confirm->setFocus(Qt::TabFocusReason);
            return true;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
            return key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        default:
            break;
        }
        const QString text = key->text();
        const bool digit = text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')
                           && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        return !digit;
    }

private:
    QPointer<QWidget> m_confirm;
};

class FocusFrame final : public QWidget
{
public:
    FocusFrame(QLineEdit *field, int extraRight) : QWidget(field->parentWidget()), m_field(field), m_extra(extraRight)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        field->installEventFilter(this);
        place();
        hide();
        stackUnder(field);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn:
            place();
            show();
            stackUnder(m_field);
            break;
        case QEvent::FocusOut:
            hide();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            place();
            break;
        default:
            break;
        }
        return false;
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient border(0, 0, 0, height());
        border.setColorAt(0, colours::focusYellow);
        border.setColorAt(1, Qt::white);
        p.setPen(QPen(QBrush(border), 1.5));
        p.setBrush(colours::focusYellow);
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
    }

private:
    void place() { setGeometry(m_field->geometry().adjusted(-4, -4, 4 + m_extra, 4)); }

    QLineEdit *m_field;
    int m_extra;
};

} // namespace

FieldCycle::FieldCycle(const QList<QWidget *> &fields, QObject *parent) : QObject(parent)
{
    for (QWidget *f : fields) {
        m_fields.append(f);
        f->installEventFilter(this);
    }
    for (qsizetype k = 0; k + 1 < fields.size(); ++k)
        QWidget::setTabOrder(fields.at(k), fields.at(k + 1));
}

void FieldCycle::setEnterTarget(QWidget *from, QWidget *to)
{
    m_targets.append(qMakePair(QPointer<QWidget>(from), QPointer<QWidget>(to)));
}

bool FieldCycle::eventFilter(QObject *watched, QEvent *event)
{
    if (m_tabWraps && event->type() == QEvent::KeyPress) {
        // Tab and Shift+Tab go round the fields and never leave them for a
        // stop outside the cycle (a scroll area, a container).
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
        const bool backward =
            key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
        if (forward || backward) {
            const auto index = m_fields.indexOf(qobject_cast<QWidget *>(watched));
            if (index >= 0 && moveFrom(index, forward ? 1 : -1))
                return true;
        }
    }
    if (!isEnter(event))
        return false;
    for (const auto &t : std::as_const(m_targets)) {
        if (t.first == watched) {
            if (t.second)
                t.second->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    const auto index = m_fields.indexOf(qobject_cast<QWidget *>(watched));
    if (index < 0)
        return false;
    moveFrom(index, 1);
    return true;
}

bool FieldCycle::moveFrom(qsizetype index, int direction)
{
    const qsizetype n = m_fields.size();
    for (qsizetype step = 1; step <= n; ++step) {
        QWidget *next = m_fields.at(((index + direction * step) % n + n) % n);
        if (next && next->isEnabled() && next->isVisibleTo(next->window())) {
            next->setFocus(direction > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void moveFocusOnEnter(QWidget *field, QWidget *target) { new EnterMover(field, target); }

QString applyTypingFilter(const QString &text, TypingFilter filter)
{
    auto trimmed = [](const QString &s) {
        qsizetype begin = 0;
        qsizetype end = s.size();
        while (begin < end && s.at(begin).unicode() <= 32)
            ++begin;
        while (end > begin && s.at(end - 1).unicode() <= 32)
            --end;
        return s.mid(begin, end - begin);
    };
    auto upperAscii = [](QString s) {
        for (QChar &c : s) {
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 'a' + 'A');
        }
        return s;
    };
    switch (filter) {
    case TypingFilter::None:
        return text;
    case TypingFilter::TrimUpper:
        return upperAscii(trimmed(text));
    case TypingFilter::Trim:
        return trimmed(text);
    case TypingFilter::Upper:
        return upperAscii(text);
    }
    return text;
}

void installTypingFilter(QLineEdit *field, TypingFilter filter)
{
    if (filter != TypingFilter::None)
        new TypingFilterHook(field, filter);
}

void installDigitsOnly(QLineEdit *field, QWidget *confirm) { new DigitsOnly(field, confirm); }

QWidget *addFocusFrame(QLineEdit *field, const QString &objectName, int extraRight)
{
    auto *frame = new FocusFrame(field, extraRight);
    frame->setObjectName(objectName);
    return frame;
}

} // namespace ui
