#include "camera/GuideSky.h"

#include <cmath>
#include <random>

namespace {

constexpr double kRadians = 3.14159265358979323846 / 180.0;

int signOf(double value)
{
    return (value > 0) - (value < 0);
}

}  // namespace

GuideSky::GuideSky(ManualClock& clock, Options options)
    : m_clock(clock), m_options(options), m_frame(options.width, options.height), m_camera(clock.createTimer())
{
    std::mt19937 random(11);
    std::uniform_int_distribution<int> noise(0, std::max(options.noise, 0));
    for (auto& pattern : m_noise) {
        pattern.resize(size_t(width() * height()));
        for (quint8& v : pattern)
            v = quint8(20 + noise(random));
    }
    newFrame();
    m_camera->start(100, true, [this] { newFrame(); });
}

void GuideSky::dropStars(int first, int count)
{
    for (int i = first; i < first + count; ++i)
        m_dropped.insert(i);
}

void GuideSky::advance()
{
    const qint64 now = m_clock.elapsedMs();
    for (Axis* axis : {&m_ra, &m_dec}) {
        const qint64 end = std::min(now, axis->until);
        if (axis->direction != 0 && end > axis->last) {
            double dt = double(end - axis->last) / 1000.0;
            const double taken = std::min(axis->slack, dt);
            axis->slack -= taken;
            dt -= taken;
            axis->seconds += axis->direction * dt;
        }
        if (now >= axis->until)
            axis->direction = 0;
        axis->last = now;
    }
}

void GuideSky::drive(Axis& axis, int direction, qint64 milliseconds, double backlash)
{
    advance();
    if (m_options.frozen)
        return;
    if (direction != 0 && direction != axis.lastDirection) {
        axis.slack = backlash;
        axis.lastDirection = direction;
    }
    axis.direction = direction;
    axis.until = direction == 0 ? kForever : (milliseconds == kForever ? kForever : m_clock.elapsedMs() + milliseconds);
}

void GuideSky::newFrame()
{
    advance();
    const double a = m_options.angleDegrees * kRadians;
    const double b = a + (90.0 + m_options.decSkewDegrees) * kRadians;
    const double dec = m_dec.seconds * m_options.decRate * (m_options.mirrored ? -1 : 1);
    const double ra = m_ra.seconds * m_options.raRate;
    const double x = m_options.startX + ra * std::cos(a) + dec * std::cos(b);
    const double y = m_options.startY + ra * std::sin(a) + dec * std::sin(b);
    // A lost frame comes black.
    if (m_dropped.count(m_frames)) {
        m_frame.fill(0);
    } else {
        m_frame.assign(m_noise[size_t(m_frames % 4)]);
        m_frame.addStar(x, y, 180, 1.6);
    }
    ++m_frames;
    m_frame.setHasFocusImage(true);
}

bool GuideSky::genericSlew(int direction)
{
    commands.append(QString("slew %1").arg(direction));
    switch (direction) {
    case kNorth: drive(m_dec, 1, kForever, m_options.decBacklash); break;
    case kSouth: drive(m_dec, -1, kForever, m_options.decBacklash); break;
    case kEast: drive(m_ra, 1, kForever, m_options.raBacklash); break;
    case kWest: drive(m_ra, -1, kForever, m_options.raBacklash); break;
    default:
        drive(m_ra, 0, 0, 0);
        drive(m_dec, 0, 0, 0);
        break;
    }
    return true;
}

bool GuideSky::genericSlewStop(int direction)
{
    // Mounts of the LX200 family stop every direction at once.
    commands.append(QString("stop %1").arg(direction));
    drive(m_ra, 0, 0, 0);
    drive(m_dec, 0, 0, 0);
    return true;
}

bool GuideSky::pulseGuideLX200(bool eastWest, int milliseconds)
{
    if (m_options.protocol != kPulseProtocol)
        return false;
    commands.append(QString("pulse %1 %2").arg(eastWest ? 'e' : 'n').arg(milliseconds));
    if (eastWest)
        drive(m_ra, signOf(milliseconds), std::abs(milliseconds), m_options.raBacklash);
    else
        drive(m_dec, signOf(milliseconds), std::abs(milliseconds), m_options.decBacklash);
    return true;
}

bool GuideSky::guideGPUSB(float eastWest, float northSouth)
{
    commands.append(QString::asprintf("guide %.2f %.2f", eastWest, northSouth));
    drive(m_ra, signOf(eastWest), qint64(std::fabs(eastWest) * 1000 + 0.5), m_options.raBacklash);
    drive(m_dec, signOf(northSouth), qint64(std::fabs(northSouth) * 1000 + 0.5), m_options.decBacklash);
    return true;
}

bool GuideSky::lockGPUSB(float eastWest, float northSouth)
{
    commands.append(QString::asprintf("lock %.2f %.2f", eastWest, northSouth));
    drive(m_ra, signOf(eastWest), kForever, m_options.raBacklash);
    drive(m_dec, signOf(northSouth), kForever, m_options.decBacklash);
    return true;
}
