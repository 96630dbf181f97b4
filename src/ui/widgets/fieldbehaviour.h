#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class QLineEdit;

namespace ui {

namespace colours {
inline const QColor aliceBlue{0xF0, 0xF8, 0xFF};
inline const QColor white{0xFF, 0xFF, 0xFF};
inline const QColor focusYellow{0xFF, 0xFF, 0x00};
inline const QColor skyBlue{0x87, 0xCE, 0xEB};
inline const QColor editorHintBar{0x30, 0x30, 0xDD};
inline const QColor exportHintBar{0x6A, 0x5A, 0xCD};
} // namespace colours

// Editor field look: Verdana 12 bold, sky-blue border, the resting colour
// while the field lacks the focus and yellow while it has it.
void styleEditorField(QLineEdit *field, const QColor &rest);

// Enter moves the focus to the next field of the cycle (the last wraps to
// the first) and types nothing. The cycle is also made the Tab order.
class FieldCycle final : public QObject
{
    Q_OBJECT

public:
    explicit FieldCycle(const QList<QWidget *> &fields, QObject *parent = nullptr);
    // Whether Tab and Shift+Tab also go round the fields and never leave
    // them (editors, whose buttons take no focus); off where buttons follow
    // the fields in the Tab order.
    void setTabWraps(bool wraps) { m_tabWraps = wraps; }
    // Enter in `from` moves to `to` instead (a search field to its button).
    void setEnterTarget(QWidget *from, QWidget *to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Focuses the next usable field from `index` in `direction` (+1 or -1).
    bool moveFrom(qsizetype index, int direction);

    QList<QPointer<QWidget>> m_fields;
    bool m_tabWraps = true;
    QList<QPair<QPointer<QWidget>, QPointer<QWidget>>> m_targets;
};

// Enter in `field` moves the focus to `target` and types nothing.
void moveFocusOnEnter(QWidget *field, QWidget *target);

enum class TypingFilter {
    None,
    TrimUpper, // gender: no blanks at the ends, upper case
    Trim,      // e-mail: no blanks at the ends
    Upper,     // plate: letters a-z to upper case, everything else kept
};

// After every change the user types, the whole text is replaced by its
// filtered form. Text set by the program is left as it is.
void installTypingFilter(QLineEdit *field, TypingFilter filter);
QString applyTypingFilter(const QString &text, TypingFilter filter);

// Digits 0-9, Backspace, Delete, Left and Right pass; Enter moves the focus to
// `confirm`; every other key is swallowed.
void installDigitsOnly(QLineEdit *field, QWidget *confirm);

// A yellow frame 4 units larger than the field on every side (wider on the
// right by `extraRight`), shown while the field has the focus.
QWidget *addFocusFrame(QLineEdit *field, const QString &objectName, int extraRight = 0);

} // namespace ui
