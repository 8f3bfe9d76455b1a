#include "platform/widgets/FirstShowPlacement.h"

#include <QEvent>
#include <QWidget>

void FirstShowPlacement::install(QWidget& window, std::function<void()> place)
{
    new FirstShowPlacement(window, std::move(place));
}

FirstShowPlacement::FirstShowPlacement(QWidget& window, std::function<void()> place)
    : QObject(&window), m_window(window), m_place(std::move(place))
{
    window.installEventFilter(this);
}

bool FirstShowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::Show) {
        m_window.removeEventFilter(this);
        // A window someone already put somewhere stays there.
        if (!m_window.testAttribute(Qt::WA_Moved))
            m_place();
        deleteLater();
    }
    return QObject::eventFilter(watched, event);
}
