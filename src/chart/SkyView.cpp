#include "chart/SkyView.h"

#include "chart/ChartOutlets.h"
#include "chart/MainWindowControl.h"
#include "chart/UpdateChain.h"
#include "chart/WindowSettings.h"
#include "chart/controls/SkyKeyboard.h"
#include "chart/controls/SkyMouse.h"
#include "model/catalogue/CatalogueFolders.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/HidesOnDeactivate.h"
#include "platform/widgets/WheelIntent.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSkySource.h"
#include "skydraw/MovingSky.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QWheelEvent>

namespace {

// A resize counts as ended once no further one came for this long.
constexpr int kResizeSettleMs = 200;
// A sky still this long after a quicker frame drawn while it moved is drawn
// whole.
constexpr auto kMovingSettle = kMovingSkyPaints;
// The cursor is set once the launch has let the window settle.
constexpr int kCursorDelayMs = 250;

}  // namespace

SkyView::SkyView(MainWindowControl& mainWindow, HidesOnDeactivate& windowHide, PrefControl& prefs, const ChartOutlets& outlets,
                 UpdateChain& chain, WindowSettings& windowSettings,
                 const CatalogueFolders& folders)
    : m_mainWindow(mainWindow),
      m_windowHide(windowHide),
      m_prefs(prefs),
      m_outlets(outlets),
      m_chain(chain),
      m_windowSettings(windowSettings),
      m_cursors(ChartCursors::load(folders.imagesDirectory)),
      m_images(folders.imagesDirectory, folders.mythDirectory),
      m_photos(folders.userPhotoDirectory, folders.photoDirectory),
      m_frame(prefs, m_images, m_photos),
      m_splash(folders.imagesDirectory),
      m_meteorTimer(
          prefs,
          [this](const QRectF& area) {
              update(QRectF(area.x(), height() - area.bottom(), area.width(), area.height()).toAlignedRect());
          },
          [] { return QRandomGenerator::global()->bounded(quint32(1) << 31); })
{
    m_frameLinks.overlays = &m_overlays;
    m_frameLinks.meteorTimer = &m_meteorTimer;
    m_frame.setLinks(m_frameLinks);
    // Every pixel is painted each time: nothing behind needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_resizeSettled.setSingleShot(true);
    m_resizeSettled.setInterval(kResizeSettleMs);
    connect(&m_resizeSettled, &QTimer::timeout, this, &SkyView::viewDidEndLiveResize);
    m_movingSettled.setSingleShot(true);
    m_movingSettled.setInterval(kMovingSettle);
    connect(&m_movingSettled, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    resetCursorRects();
}

void SkyView::setSkySource(const ChartSkySource* source)
{
    m_skySource = source;
    m_meteorTimer.setSkySource(source);
}

void SkyView::setTelescope(TelescopeAim* aim, const DomeSlit* dome)
{
    m_frameLinks.telescope = aim;
    m_frameLinks.dome = dome;
    m_frame.setLinks(m_frameLinks);
}

void SkyView::setPhotoHorizon(PhotoHorizonSource* source)
{
    m_frameLinks.photoHorizon = source;
    m_frame.setLinks(m_frameLinks);
}

void SkyView::display()
{
    // A splash already on screen for this stage at this size would only be
    // painted the same again: the launch asks once more after its panels.
    const std::pair<int, QSize> splash{m_launchCount, size()};
    if (!m_hasLaunched && m_splashShown == splash)
        return;
    repaint();
    if (!m_hasLaunched)
        m_splashShown = splash;
}

void SkyView::showSplashStage(int stage)
{
    m_launchCount = stage;
    display();
}

void SkyView::setHasLaunched()
{
    m_hasLaunched = true;
    m_splash.release();
}

void SkyView::createStarArrays() { m_images.createStarArrays(); }

void SkyView::createObjectSymbols() { m_images.createObjectSymbols(); }

void SkyView::recolorStarArrays() { m_images.recolorStarArrays(m_prefs.starColorVal()); }

void SkyView::recolorObjectSymbols()
{
    m_images.recolorObjectSymbols(m_prefs);
    if (m_prefs.isMythColor() && m_hasLaunched)
        recolorMythForms();
}

void SkyView::recolorMythForms()
{
    m_images.recolorMythForms(m_prefs.mythColor());
    m_prefs.setIsMythColor(false);
    m_isRecolorMyth = true;
}

void SkyView::startCursorTimer()
{
    QTimer::singleShot(kCursorDelayMs, this, &SkyView::setCursorTimer);
}

void SkyView::resetCursorRects()
{
    setCursor(m_cursors.target(m_prefs.isNightVision() || m_prefs.isRedCursor()));
}

void SkyView::setCursorTimer()
{
    // A widget's cursor shows only while the mouse is over it, so it can be
    // set wherever the mouse is; the red-cursor setting read at launch applies.
    resetCursorRects();
}

void SkyView::setHide(bool hide) { m_windowHide.setHide(hide); }

void SkyView::setAllHide() { m_windowSettings.setAllHide(); }

void SkyView::toolTipsControl() { m_windowSettings.toolTipsControl(); }

void SkyView::viewDidEndLiveResize()
{
    // Before the launch the catalogues are not there to project.
    if (m_hasLaunched)
        m_chain.viewDidEndLiveResize(QRectF(rect()));
}

bool SkyView::setPasteboard()
{
    QRectF area = rect();
    if (m_overlays.dragRect.width() != 0.0 && m_overlays.dragRect.height() != 0.0) {
        // The marquee is in chart points, y upward.
        const QRectF marquee = m_overlays.dragRect.normalized();
        area = QRectF(marquee.x(), height() - marquee.y() - marquee.height(), marquee.width(), marquee.height());
    }
    const QImage image = grab(area.toAlignedRect()).toImage();
    m_overlays.dragRect.setSize(QSizeF(0.0, 0.0));
    m_overlays.startPt = QPointF();
    display();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr || image.isNull())
        return false;
    clipboard->setImage(image);
    return true;
}

void SkyView::setIsTrack(bool on)
{
    m_clickModes.isTrack = on;
    if (on) {
        m_chain.trackSelection();
        m_clickModes.isTrack = false;
    }
}

void SkyView::setIsCenter(bool on)
{
    m_clickModes.isCenter = on;
    if (on) {
        m_chain.centerSelection();
        m_clickModes.isCenter = false;
    }
}

void SkyView::paintEvent(QPaintEvent*)
{
    // A main window the user closed draws nothing until it is shown again.
    if (m_mainWindow.keepSWClosed())
        return;
    const QRectF bounds(rect());
    m_prefs.setSkyViewRect(bounds);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    ChartCanvas canvas(painter, bounds.height());
    if (!m_hasLaunched)
        m_splash.paint(canvas, bounds, m_launchCount, m_prefs.constellationNameAttributes());
    else if (m_skySource) {
        m_overlays.isFullScreen = window()->isFullScreen();
        m_frame.paint(canvas, m_skySource->chartSky(), bounds, m_markAlpha);
        if (m_frame.isRoughWhileMoving())
            m_movingSettled.start();
    }
}

QRect SkyView::tourCaptionsArea() const
{
    // The chart's points run upward from the widget's bottom edge.
    const QRectF plate = ChartOverlayPainter::tourCaptionsPlate(m_prefs, QRectF(rect()));
    return QRectF(plate.x(), height() - plate.y() - plate.height(), plate.width(), plate.height()).toAlignedRect();
}

void SkyView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The launch projects the first chart for the size the view has by
    // then; a resize before it must not draw that chart a second time.
    if (m_hasLaunched)
        m_resizeSettled.start();
}

void SkyView::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_outlets.skyClickMenu)
        m_outlets.skyClickMenu->popup(event->globalPos());
}

void SkyView::focusInEvent(QFocusEvent* event) { event->accept(); }

void SkyView::focusOutEvent(QFocusEvent* event) { event->accept(); }

void SkyView::keyPressEvent(QKeyEvent* event)
{
    if (m_keyboard)
        m_keyboard->keyDown(*event);
    else
        QWidget::keyPressEvent(event);
}

float SkyView::calculateAngularSeparation(bool fromStart)
{
    return m_mouse ? m_mouse->calculateAngularSeparation(fromStart) : 0.0f;
}

void SkyView::mousePressEvent(QMouseEvent* event)
{
    // The right button opens the context menu.
    if (m_mouse && event->button() == Qt::LeftButton)
        m_mouse->mouseDown(event->position(), event->modifiers(), 1);
}

void SkyView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_mouse && event->button() == Qt::LeftButton)
        m_mouse->mouseDown(event->position(), event->modifiers(), 2);
}

void SkyView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_mouse && (event->buttons() & Qt::LeftButton))
        m_mouse->mouseDragged(event->position());
}

void SkyView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_mouse && event->button() == Qt::LeftButton)
        m_mouse->mouseUp();
}

void SkyView::wheelEvent(QWheelEvent* event)
{
    if (m_mouse)
        m_mouse->scrollWheel(WheelIntent::read(*event), event->position());
}

bool SkyView::event(QEvent* event)
{
    if (event->type() == QEvent::NativeGesture && m_mouse) {
        m_mouse->nativeGesture(static_cast<QNativeGestureEvent&>(*event));
        return true;
    }
    return QWidget::event(event);
}
