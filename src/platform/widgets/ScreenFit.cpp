#include "platform/widgets/ScreenFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
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
    const QScreen* screen = QGuiApplication::screenAt(m_window.geometry().center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame the window manager adds, once it is known.
    const QSize frame = m_window.frameGeometry().size() - m_window.size();
    const QSize room = screen->availableGeometry().size() - frame;
    m_window.resize(m_window.sizeHint().boundedTo(room).expandedTo(m_window.minimumSizeHint()));
}
