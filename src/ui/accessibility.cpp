#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace ui {

namespace {

// Qt 6.4 serves scroll areas with an interface that lists as children the
// viewport and only the scroll bars that are visible, and whose child(index)
// reads that list without checking the index. AT-SPI hands over the index a
// screen reader asks for unchecked, and the reader took it from a child count
// read a moment before. An editor's scroll bars show while its window opens
// at its first size and go away when it is maximised; they all count as
// hidden once the window is closed. A reader walking the window in that
// moment asked for a child past the end of the shorter list, and the program
// read a wild pointer and died in QAccessibleCache::idForObject.
//
// Here every child widget counts, shown or not, so the count changes only
// when a child is created or destroyed, and QAccessibleWidget::child()
// answers an index out of range with no child.
class AccessibleScrollArea final : public QAccessibleWidget
{
public:
    explicit AccessibleScrollArea(QWidget *area) : QAccessibleWidget(area, QAccessible::Client) { }
};

QAccessibleInterface *scrollAreaFactory(const QString &className, QObject *object)
{
    // Qt looks the classes of an object up from the most derived one, so
    // subclasses with an interface of their own (text edits, item views)
    // never reach the base class name.
    if (object && object->isWidgetType()
        && (className == QLatin1String("QScrollArea") || className == QLatin1String("QAbstractScrollArea")))
        return new AccessibleScrollArea(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void installAccessibleScrollAreas()
{
    // Factories installed last are asked first, before Qt's own.
    QAccessible::installFactory(scrollAreaFactory);
}

} // namespace ui
