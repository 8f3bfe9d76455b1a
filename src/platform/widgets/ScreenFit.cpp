#include "platform/widgets/ScreenFit.h"

#include "platform/widgets/ScreenPlacement.h"

#include <QEvent>
#include <QWidget>

void ScreenFit::install(QWidget& window) { new ScreenFit(window); }

ScreenFit::ScreenFit(QWidget& window) : QObject(&window), m_window(window) { window.installEventFilter(this); }

bool ScreenFit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::Show && !m_window.testAttribute(Qt::WA_Resized))
        fit();
    return QObject::eventFilter(watched, event);
}

void ScreenFit::fit()
{
    if (const std::optional<QSize> room = ScreenPlacement::contentRoom(m_window))
        m_window.resize(m_window.sizeHint().boundedTo(*room).expandedTo(m_window.minimumSizeHint()));
}
