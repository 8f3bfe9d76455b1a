#include "platform/widgets/KeptFrame.h"

#include "platform/widgets/DevicePlace.h"
#include "platform/widgets/MoveReports.h"
#include "platform/widgets/ScreenPlacement.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QEvent>
#include <QIODevice>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// Begins a frame saved with its pixels; Qt's own record begins otherwise.
constexpr quint32 kPixelsMark = 0x4e4b4650;

}  // namespace

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
    m_settling.setSingleShot(true);
    m_settling.setInterval(kSettleTime);
    connect(&m_settling, &QTimer::timeout, this, [this] {
        if (!m_window.isVisible())
            return;
        // Left elsewhere while its place was held, the window rests where
        // the window system passed as it took the window in: no one chose it.
        keepHeldPlace();
        m_isHolding = false;
        ScreenPlacement::keepInside(m_window);
    });
    window.installEventFilter(this);
    m_moveReports = std::make_unique<MoveReports>(window, [this](QPoint pixels) { toldOfMove(pixels); });
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
        if (m_window.isVisible())
            this->save();
    });
}

KeptFrame::~KeptFrame() = default;

QByteArray KeptFrame::encode(const QByteArray& geometry, const std::optional<Pixels>& pixels)
{
    if (!pixels)
        return geometry;
    QByteArray saved;
    QDataStream out(&saved, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kPixelsMark << geometry << pixels->logical << pixels->device << pixels->scale;
    return saved;
}

std::optional<KeptFrame::Pixels> KeptFrame::decode(const QByteArray& saved, QByteArray& geometry)
{
    QDataStream in(saved);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 mark = 0;
    in >> mark;
    if (mark != kPixelsMark) {
        geometry = saved;
        return std::nullopt;
    }
    Pixels pixels;
    in >> geometry >> pixels.logical >> pixels.device >> pixels.scale;
    // A damaged record is none.
    if (in.status() != QDataStream::Ok) {
        geometry.clear();
        return std::nullopt;
    }
    return pixels;
}

bool KeptFrame::restore()
{
    QByteArray geometry;
    const std::optional<Pixels> pixels = decode(m_load ? m_load() : QByteArray(), geometry);
    // Qt brings a frame saved on a screen that is gone back onto one present.
    if (geometry.isEmpty() || !m_window.restoreGeometry(geometry))
        return false;
    m_pixels = pixels;
    return true;
}

void KeptFrame::save()
{
    m_saveTimer.stop();
    if (const std::optional<Pixels> now = pixelsNow())
        m_pixels = now;
    if (m_save)
        m_save(encode(m_window.saveGeometry(), m_pixels));
}

std::optional<KeptFrame::Pixels> KeptFrame::pixelsNow() const
{
    const std::optional<QPoint> device = DevicePlace::of(m_window);
    if (!device)
        return std::nullopt;
    const QPoint logical = m_window.geometry().topLeft();
    const qreal scale = m_window.devicePixelRatioF();
    // Qt scales a place about its screen's corner, which it keeps in pixels.
    const QPointF corner = m_window.screen() ? QPointF(m_window.screen()->geometry().topLeft()) : QPointF();
    // Read while the window manager has yet to move the window where Qt put
    // it, the pixels are of another place: kept, they would send it back there.
    if ((QPointF(*device) - corner - (QPointF(logical) - corner) * scale).manhattanLength() > 2 * scale)
        return std::nullopt;
    return Pixels{logical, *device, scale};
}

void KeptFrame::toKeptPixel()
{
    if (m_pixels && m_pixels->logical == m_window.geometry().topLeft() &&
        qFuzzyCompare(m_pixels->scale, m_window.devicePixelRatioF()))
        DevicePlace::moveTo(m_window, m_pixels->device);
}

void KeptFrame::comeBack(const QPoint& contentAt)
{
    // Where the content's corner went while hidden, if anywhere: unlike the
    // frame's, it is known before the window manager frames a window anew.
    // Set by the program even when unchanged, the place is not taken from
    // it by a dialog's centring on its parent at each show.
    moveContentTo(contentAt);
    // Nor by the window manager, which places anew at each show a window
    // whose place Qt never had to set.
    if (QWindow* handle = m_window.windowHandle())
        handle->setPosition(handle->position());
}

void KeptFrame::moveContentTo(const QPoint& contentAt)
{
    m_window.move(m_window.pos() + (contentAt - m_window.geometry().topLeft()));
}

bool KeptFrame::holdsPlace() const
{
    // The window system places a maximised or full-screen window itself.
    return m_isHolding && !m_window.isMaximized() && !m_window.isFullScreen();
}

void KeptFrame::keepHeldPlace()
{
    if (!holdsPlace())
        return;
    sent(m_placedAt);
    if (m_window.geometry().topLeft() != m_placedAt)
        moveContentTo(m_placedAt);
    // The window system's window hears of a place before the widget does,
    // and it is that window's place a resize sends.
    else if (QWindow* handle = m_window.windowHandle(); handle && handle->position() != m_placedAt)
        handle->setPosition(m_placedAt);
}

void KeptFrame::sent(const QPoint& contentAt)
{
    if (std::find(m_sentPlaces.cbegin(), m_sentPlaces.cend(), contentAt) == m_sentPlaces.cend())
        m_sentPlaces.push_back(contentAt);
}

void KeptFrame::toldOfMove(QPoint pixels)
{
    // The window manager tells of a place the program sent (a passing one
    // Qt sent with a size among them), or of one the user or another
    // program asked it for: that one is where the window stays. A scaled
    // screen may round a place sent by a point.
    if (!(m_isPlacing || m_isHolding || m_placing.isActive()))
        return;
    const qreal scale = m_window.devicePixelRatioF();
    const QPointF corner = m_window.screen() ? QPointF(m_window.screen()->geometry().topLeft()) : QPointF();
    const QPointF at = corner + (QPointF(pixels) - corner) / scale;
    const bool sentHere = std::any_of(m_sentPlaces.cbegin(), m_sentPlaces.cend(), [&at](const QPoint& place) {
        return (QPointF(place) - at).manhattanLength() <= 2;
    });
    if (sentHere)
        return;
    m_isLetGo = true;
    m_isHolding = false;
    m_placing.stop();
    m_settling.stop();
}

bool KeptFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window) {
        switch (event->type()) {
        case QEvent::Hide:
            save();
            m_hiddenAt = m_window.geometry().topLeft();
            m_isPlacing = false;
            m_isHolding = false;
            m_placing.stop();
            m_settling.stop();
            break;
        case QEvent::Show:
            if (m_hiddenAt)
                comeBack(*m_hiddenAt);
            toKeptPixel();
            m_isPlacing = true;
            m_isHolding = true;
            m_isLetGo = false;
            m_placedAt = m_window.geometry().topLeft();
            m_placedSize = m_window.size();
            m_sentPlaces = {m_placedAt};
            if (const QWindow* handle = m_window.windowHandle())
                sent(handle->position());
            watchExposure();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (m_window.isVisible())
                m_saveTimer.start();
            if (!event->spontaneous()) {
                // Qt sent its idea of the place with the new size: a passing
                // place, while the window system takes the window in (the
                // window manager would move the window there).
                if (event->type() == QEvent::Resize)
                    keepHeldPlace();
                m_placedAt = m_window.geometry().topLeft();
                m_placedSize = m_window.size();
                sent(m_placedAt);
                if (const QWindow* handle = m_window.windowHandle())
                    sent(handle->position());
            }
            // Qt sends the window's place again, rounded, with a new size.
            if (event->type() == QEvent::Resize)
                toKeptPixel();
            if (m_placing.isActive())
                keepInside();
            break;
        default:
            break;
        }
    } else if (watched == m_handle && event->type() == QEvent::Expose && m_isPlacing && m_handle->isExposed()) {
        // By its first exposure the window manager has usually framed the
        // window; a frame it adds later moves or resizes it.
        m_isPlacing = false;
        // Qt may tell of the exposure after the window manager told of a move.
        if (m_isLetGo)
            return QObject::eventFilter(watched, event);
        m_placing.start();
        // Qt may have sent the place again, rounded, as the window mapped.
        toKeptPixel();
        keepInside();
    }
    return QObject::eventFilter(watched, event);
}

void KeptFrame::keepInside()
{
    // Where and as large as the program made the window, it is brought on
    // screen at once; elsewhere it may be a passing place, and at another
    // size a passing size (one the program set before its last, told late:
    // brought inside while too tall, the window would go to the screen's
    // top), and it waits until it rests, as a held place waits to be let go.
    const bool placed = m_window.geometry().topLeft() == m_placedAt && m_window.size() == m_placedSize;
    if (placed)
        ScreenPlacement::keepInside(m_window);
    if (!placed || m_isHolding)
        m_settling.start();
}

void KeptFrame::watchExposure()
{
    // The window system's window is made anew when the window's kind
    // changes (a panel that floats only while the program is active).
    QWindow* handle = m_window.windowHandle();
    if (handle == m_handle)
        return;
    if (m_handle)
        m_handle->removeEventFilter(this);
    m_handle = handle;
    if (handle)
        handle->installEventFilter(this);
}
