#include "platform/widgets/KeptFrame.h"

#include "platform/widgets/ScreenPlacement.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

KeptFrame* KeptFrame::keep(QWidget& window, Load load, Save save)
{
    return new KeptFrame(window, std::move(load), std::move(save));
}

KeptFrame::KeptFrame(QWidget& window, Load load, Save save)
    : QObject(&window), m_window(window), m_load(std::move(load)), m_save(std::move(save))
{
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(kSaveDelay);
    connect(&m_saveTimer, &QTimer::timeout, this, &KeptFrame::save);
    m_placing.setSingleShot(true);
    m_placing.setInterval(kPlacingTime);
    window.installEventFilter(this);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
        if (m_window.isVisible())
            this->save();
    });
}

bool KeptFrame::restore()
{
    const QByteArray frame = m_load ? m_load() : QByteArray();
    // Qt brings a frame saved on a screen that is gone back onto one present.
    return !frame.isEmpty() && m_window.restoreGeometry(frame);
}

void KeptFrame::save()
{
    m_saveTimer.stop();
    if (m_save)
        m_save(m_window.saveGeometry());
}

bool KeptFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window) {
        switch (event->type()) {
        case QEvent::Hide:
            save();
            m_isPlacing = false;
            m_placing.stop();
            break;
        case QEvent::Show:
            m_isPlacing = true;
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (m_window.isVisible())
                m_saveTimer.start();
            if (m_placing.isActive())
                ScreenPlacement::keepInside(m_window);
            break;
        case QEvent::Paint:
            // By the first paint the window manager has usually framed the
            // window; a frame it adds later moves or resizes it.
            if (m_isPlacing) {
                m_isPlacing = false;
                m_placing.start();
                ScreenPlacement::keepInside(m_window);
            }
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
