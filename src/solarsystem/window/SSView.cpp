#include "solarsystem/window/SSView.h"

#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/settings/PrefControl.h"
#include "platform/AppTimeZone.h"
#include "platform/StringTables.h"
#include "platform/widgets/WheelIntent.h"
#include "solarsystem/window/SSBodies.h"
#include "solarsystem/window/SSDrawer.h"
#include "solarsystem/window/SSPlotPainter.h"
#include "solarsystem/window/SSWindow.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr std::array<const char*, OrbitTable::kPlanets> kPlanetKeys = {
    "Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
constexpr float kHalfPi = float(std::numbers::pi / 2);

QString globalText(const char* key) { return StringTables::localizedString("Global", key); }

// The date as the platform describes it: date, time and zone offset.
QString dateDescription(const QDateTime& date)
{
    const QDateTime local = date.toTimeZone(AppTimeZone::zone());
    const int offset = local.offsetFromUtc() / 60;
    return local.toString("yyyy-MM-dd HH:mm:ss ")
           + QString::asprintf("%c%02d%02d", offset < 0 ? '-' : '+', std::abs(offset) / 60,
                               std::abs(offset) % 60);
}

// The comet or minor planet a find selection names, as (kind, record).
std::optional<std::pair<int, int>> selectedSmallBody(int findIndex)
{
    const ObjectIndexParts parts = splitObjectIndex(findIndex);
    if (parts.band == ObjectBand::Comet)
        return std::pair{kSmallBodyComets, parts.number};
    if (parts.band == ObjectBand::MinorPlanet)
        return std::pair{kSmallBodyMinorPlanets, parts.number};
    return std::nullopt;
}

}  // namespace

SSView::SSView(const PrefControl& prefControl, SSBodies& bodies, QString resourcesFolder, QWidget* parent)
    : QWidget(parent), m_prefControl(prefControl), m_bodies(bodies), m_resourcesFolder(std::move(resourcesFolder)),
      m_angle(-kHalfPi)
{
    setFocusPolicy(Qt::ClickFocus);
}

void SSView::setOutlets(SSWindow* window, SSDrawer* drawer, QAbstractButton* drawerDisc,
                        QLabel* dateText, QLabel* angleText, QLabel* rotateText)
{
    m_window = window;
    m_drawer = drawer;
    m_drawerDisc = drawerDisc;
    m_dateText = dateText;
    m_angleText = angleText;
    m_rotateText = rotateText;
}

void SSView::setPlot9(float e, float i, float q, float longitude, float w, float node)
{
    m_table.setPlot9(e, i, q, longitude, w, node);
}

void SSView::setAngle(float degrees) { m_angle = float((degrees - 90.0) * Angles::kDegToRad); }

void SSView::setRotate(float degrees) { m_rotate = float(degrees * Angles::kDegToRad); }

void SSView::updateBottomPanel()
{
    if (m_dateText && m_drawer)
        m_dateText->setText(dateDescription(m_drawer->datePickValue()));
    if (m_angleText)
        m_angleText->setText(globalText("Angle")
                             + QString::asprintf(": %d°", int(-m_angle * Angles::kRadToDeg)));
    if (m_rotateText)
        m_rotateText->setText(globalText("Rotate")
                              + QString::asprintf(": %.0f°", m_rotate * Angles::kRadToDeg));
}

void SSView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawRect(painter, QRectF(rect()));
}

void SSView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_didResize = true;
}

void SSView::drawRect(QPainter& painter, const QRectF& rect)
{
    const bool isDrawerOpen = m_drawerDisc && m_drawerDisc->isChecked();
    if (isDrawerOpen && m_window)
        m_window->setDrawerLimits(rect);
    painter.fillRect(rect, Qt::black);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_images)
        m_images = SSImages::load(m_resourcesFolder);

    const double scale = scaleAndPan(rect);
    const PlotView view{m_hOffset, m_vOffset, m_angle, m_rotate};
    SSPlotPainter plot(painter, rect.height(), view, scale, m_table);
    const bool isPlanetNames = m_prefControl.isPlanetNames();
    for (int k = 0; k < OrbitTable::kPlanets; ++k) {
        const std::optional<SSPlotPainter::Marker> marker = plot.planetMarker(k, m_bodies.planetPlotL(k));
        if (!marker)
            continue;
        plot.drawPlanetOrbit(k);
        plot.drawPlanetMarker(k, *marker, m_images->planet(k));
        if (isPlanetNames)
            plot.drawPlanetLabel(globalText(kPlanetKeys[std::size_t(k)]),
                                 marker->point + QPointF(marker->halfSize + 2.0, 0.0),
                                 m_prefControl.planetNameAttributes());
        if (k == OrbitTable::kMars)
            plot.drawBelt(m_images->beltPattern);
    }
    plot.drawSun(m_images->sun);
    drawSmallBody(plot);
    plot.drawGauge();
    plot.drawFrame(rect);

    if (isDrawerOpen && m_drawer)
        m_drawer->open();
    updateBottomPanel();
}

double SSView::scaleAndPan(const QRectF& rect)
{
    const double midX = rect.center().x();
    const double midY = rect.center().y();
    if (!m_isStarted) {
        m_isStarted = true;
        m_hOffset = m_oldMidX = float(midX);
        m_vOffset = m_oldMidY = float(midY);
        m_oldRatio = m_hOffset * 0.0001 * std::exp2(m_zoom);
    }
    const double scale = midX * 0.0001 * std::exp2(double(m_zoom));
    if (m_didResize) {
        // The Sun keeps its relative place in the resized view.
        if (m_oldMidX > 0.0f && m_oldMidY > 0.0f) {
            m_hOffset = float((m_hOffset - m_oldMidX) * midX / m_oldMidX + midX);
            m_vOffset = float((m_vOffset - m_oldMidY) * midY / m_oldMidY + midY);
        }
        m_didResize = false;
        m_oldMidX = float(midX);
        m_oldMidY = float(midY);
        m_oldRatio = scale;
    } else if (m_oldRatio > 0.0) {
        // The point at the view centre stays put while the zoom changes.
        const double ratio = scale / m_oldRatio;
        m_hOffset = float(midX + (m_hOffset - midX) * ratio);
        m_vOffset = float(midY + (m_vOffset - midY) * ratio);
        m_oldRatio = scale;
    } else {
        m_oldRatio = scale;
    }
    return scale;
}

void SSView::drawSmallBody(SSPlotPainter& plot)
{
    const std::optional<std::pair<int, int>> selected = selectedSmallBody(m_prefControl.findIndex());
    if (!selected)
        return;
    const auto [kind, record] = *selected;
    // A selection left over from a table that has since shrunk draws nothing.
    const std::optional<QString> name = m_bodies.smallBodyName(kind, record);
    if (!name)
        return;
    const double days = m_drawer ? m_drawer->extraDays() : 0.0;
    if (const std::optional<OrbitPlot> orbit = m_bodies.smallBodyOrbit(kind, days, record))
        setPlot9(orbit->eccentricity, orbit->inclination, orbit->perihelionDistance,
                 orbit->longitude, orbit->argPerihelion, orbit->node);
    const std::optional<QPointF> place = plot.drawSmallBody();
    if (place && m_prefControl.isCometNames())
        plot.drawLabel(*name, *place + QPointF(6.0, 0.0), m_prefControl.cometNameAttributes());
}

void SSView::changedByInput()
{
    update();
    updateBottomPanel();
    if (m_drawer)
        m_drawer->updateSliders();
}

void SSView::wheelEvent(QWheelEvent* event)
{
    const double k = m_prefControl.arrowSpeed() / 100.0 * 1.5;
    const QPointF notches = WheelIntent::read(*event).notches;
    const double dx = notches.x() * k;
    const double dy = notches.y() * k;
    // The window manager may keep Alt+wheel, so Shift and Ctrl tilt as well.
    if (event->modifiers() & (Qt::AltModifier | Qt::ShiftModifier | Qt::ControlModifier)) {
        m_angle = float(std::clamp(m_angle + dy * Angles::kDegToRad, double(-kHalfPi), double(kHalfPi)));
        if (m_drawer)
            m_drawer->scrollDate(dx);
    } else {
        const float zoom = std::clamp(float(m_zoom + dy * 0.1), kMinZoom, kMaxZoom);
        keepPlaceWhileZooming(event->position(), std::exp2(double(zoom - m_zoom)));
        m_zoom = zoom;
        double rotate = m_rotate + dx * Angles::kDegToRad;
        if (rotate < 0.0)
            rotate += Angles::kTwoPi;
        else if (rotate > Angles::kTwoPi)
            rotate -= Angles::kTwoPi;
        m_rotate = float(rotate);
    }
    event->accept();
    changedByInput();
}

void SSView::keepPlaceWhileZooming(QPointF pointer, double ratio)
{
    // The next drawing scales about the view's centre; shifting the Sun
    // first makes the scaling turn about the pointer instead.
    if (!m_isStarted || !(ratio > 0.0))
        return;
    const QPointF plotPointer(pointer.x(), height() - pointer.y());
    const QPointF shift = (plotPointer - QRectF(rect()).center()) * (1.0 / ratio - 1.0);
    m_hOffset += float(shift.x());
    m_vOffset += float(shift.y());
}

void SSView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragPoint = event->position();
    setCursor(Qt::OpenHandCursor);
}

void SSView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    setCursor(Qt::ClosedHandCursor);
    const QPointF move = event->position() - m_dragPoint;
    // The view's y grows upward, the event's downward.
    m_hOffset += float(move.x());
    m_vOffset -= float(move.y());
    m_dragPoint = event->position();
    update();
}

void SSView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setCursor(Qt::ArrowCursor);
}

void SSView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_hOffset = float(width() / 2.0);
    m_vOffset = float(height() / 2.0);
    setCursor(Qt::ArrowCursor);
    update();
}
