#include "platform/widgets/AccessibleInterfaces.h"

#include <QAccessible>
#include <QApplication>
#include <QWidget>

int AccessibleInterfaces::releaseUnheard()
{
    if (QAccessible::isActive())
        return 0;
    int released = 0;
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        // The query answers the kept interface, or makes one that goes at once.
        QAccessibleInterface* kept = QAccessible::queryAccessibleInterface(widget);
        if (kept == nullptr)
            continue;
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(kept));
        ++released;
    }
    return released;
}
