#include "chart/painting/MeteorShowerTimer.h"

#include "chart/painting/MeteorPainter.h"
#include "model/settings/PrefSwitches.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSkySource.h"

#include <QPen>

#include <utility>

namespace {

constexpr double kSecondsPerHour = 3600.0;
// Room around a segment for its pen.
constexpr double kSegmentMargin = 2.0;

}  // namespace

MeteorShowerTimer::MeteorShowerTimer(const PrefSwitches& prefs, std::function<void(const QRectF&)> redraw,
                                     MeteorStreak::Random random)
    : m_prefs(prefs), m_redraw(std::move(redraw)), m_random(std::move(random))
{
    connect(&m_showerTimer, &QTimer::timeout, this, &MeteorShowerTimer::showMeteorsTimer);
    connect(&m_stepTimer, &QTimer::timeout, this, &MeteorShowerTimer::advance);
}

std::optional<std::chrono::milliseconds> MeteorShowerTimer::interval(std::int32_t rate)
{
    if (rate <= 0)
        return std::nullopt;
    return std::chrono::milliseconds(qRound64(kSecondsPerHour / double(rate) * 1000.0));
}

void MeteorShowerTimer::startIfIdle(std::int32_t rate)
{
    if (m_showerTimer.isActive())
        return;
    if (const auto every = interval(rate)) {
        m_showerTimer.setInterval(*every);
        m_showerTimer.start();
    }
}

void MeteorShowerTimer::showMeteorsTimer()
{
    if (m_prefs.isMeteor() && m_skySource) {
        if (const auto shower = MeteorPainter::firstShower(m_skySource->chartSky().meteors)) {
            drawMeteor(*shower);
            return;
        }
    }
    m_showerTimer.stop();
}

void MeteorShowerTimer::drawMeteor(int index)
{
    if (!m_skySource)
        return;
    const ChartSky sky = m_skySource->chartSky();
    if (index < 0 || std::size_t(index) >= sky.meteors.size())
        return;
    if (m_streak)
        m_redraw(segmentArea());
    const meteor& shower = sky.meteors[std::size_t(index)];
    m_streak = MeteorStreak::launch(QPointF(shower.screenX, shower.screenY), sky.view.width, m_random);
    m_step = 0;
    m_stepTimer.start(m_streak->ticksPerStep() * MeteorStreak::kTickMs);
    m_redraw(segmentArea());
}

void MeteorShowerTimer::advance()
{
    if (!m_streak) {
        m_stepTimer.stop();
        return;
    }
    m_redraw(segmentArea());
    if (++m_step >= MeteorStreak::kSteps) {
        m_streak.reset();
        m_stepTimer.stop();
        return;
    }
    m_redraw(segmentArea());
}

QRectF MeteorShowerTimer::segmentArea() const
{
    const QLineF line = m_streak->segment(m_step);
    return QRectF(line.p1(), line.p2()).normalized().adjusted(-kSegmentMargin, -kSegmentMargin, kSegmentMargin,
                                                              kSegmentMargin);
}

void MeteorShowerTimer::paint(ChartCanvas& canvas) const
{
    if (!m_streak)
        return;
    const QLineF line = m_streak->segment(m_step);
    canvas.setAntialiasing(false);
    canvas.drawLines(std::span<const QLineF>(&line, 1), QPen(m_streak->color(m_step), 1.0));
    canvas.setAntialiasing(true);
}
