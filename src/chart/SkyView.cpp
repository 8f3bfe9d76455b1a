#include "chart/SkyView.h"

#include "chart/ChartOutlets.h"
#include "chart/SkyWindow.h"
#include "chart/UpdateChain.h"
#include "chart/WindowSettings.h"
#include "model/prefs/PrefControl.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>

#include <array>

namespace {

// A resize counts as ended once no further one came for this long.
constexpr int kResizeSettleMs = 200;
// The cursor is set once the launch has let the window settle.
constexpr int kCursorDelayMs = 250;

constexpr std::array<const char*, 4> kStageLabels = {
    "Initializing Database...",
    "Calculating Coordinates...",
    "Initializing Panels...",
    "Finishing Startup...",
};
// The stage label's lower left corner lies this far below the top and right
// of the left edge.
constexpr double kStageLabelLeft = 20.0;
constexpr double kStageLabelBottom = 28.0;

}  // namespace

SkyView::SkyView(SkyWindow& skyWindow, PrefControl& prefs, const ChartOutlets& outlets,
                 UpdateChain& chain, WindowSettings& windowSettings,
                 const QString& imagesDirectory)
    : m_skyWindow(skyWindow),
      m_prefs(prefs),
      m_outlets(outlets),
      m_chain(chain),
      m_windowSettings(windowSettings),
      m_cursors(ChartCursors::load(imagesDirectory))
{
    // Every pixel is painted each time: nothing behind needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_resizeSettled.setSingleShot(true);
    m_resizeSettled.setInterval(kResizeSettleMs);
    connect(&m_resizeSettled, &QTimer::timeout, this, &SkyView::viewDidEndLiveResize);
    resetCursorRects();
}

void SkyView::display() { repaint(); }

void SkyView::showSplashStage(int stage)
{
    m_launchCount = stage;
    display();
}

void SkyView::setHasLaunched() { m_hasLaunched = true; }

void SkyView::startCursorTimer()
{
    QTimer::singleShot(kCursorDelayMs, this, &SkyView::setCursorTimer);
}

void SkyView::resetCursorRects()
{
    const bool red = m_prefs.isNightVision() || m_prefs.isRedCursor();
    setCursor(red ? m_cursors.nvTargetCursor : m_cursors.targetCursor);
}

void SkyView::setCursorTimer()
{
    // A widget's cursor shows only while the mouse is over it, so it can be
    // set wherever the mouse is; the red-cursor setting read at launch applies.
    resetCursorRects();
}

void SkyView::setHide(bool hide) { m_skyWindow.setHide(hide); }

void SkyView::setAllHide() { m_windowSettings.setAllHide(); }

void SkyView::toolTipsControl() { m_windowSettings.toolTipsControl(); }

void SkyView::viewDidEndLiveResize()
{
    // Before the launch the catalogues are not there to project.
    if (m_hasLaunched)
        m_chain.viewDidEndLiveResize(QRectF(rect()));
}

void SkyView::setIsTrack(bool on)
{
    m_isTrack = on;
    if (on) {
        m_chain.trackSelection();
        m_isTrack = false;
    }
}

void SkyView::setIsCenter(bool on)
{
    m_isCenter = on;
    if (on) {
        m_chain.centerSelection();
        m_isCenter = false;
    }
}

void SkyView::paintEvent(QPaintEvent*)
{
    // A main window the user closed draws nothing until it is shown again.
    if (m_skyWindow.keepSWClosed())
        return;
    m_prefs.setSkyViewRect(QRectF(rect()));
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_hasLaunched)
        drawSplash(painter);
}

void SkyView::drawSplash(QPainter& painter) const
{
    if (m_launchCount < 1 || m_launchCount > int(kStageLabels.size()))
        return;
    const TextAttributes& attributes = m_prefs.constellationNameAttributes();
    painter.setFont(attributes.font);
    painter.setPen(attributes.color);
    const double baseline = kStageLabelBottom - QFontMetricsF(attributes.font).descent();
    painter.drawText(QPointF(kStageLabelLeft, baseline),
                     QString::fromLatin1(kStageLabels[std::size_t(m_launchCount - 1)]));
}

void SkyView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_resizeSettled.start();
}

void SkyView::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_outlets.skyClickMenu)
        m_outlets.skyClickMenu->popup(event->globalPos());
}
