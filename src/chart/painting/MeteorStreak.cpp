#include "chart/painting/MeteorStreak.h"

namespace {

constexpr float kStepShare = 0.05f;  // of the view width: the longest step is half of it
constexpr float kInverseRange = 4.656613e-10f;  // 2^−31
constexpr double kBrightStep = 20.0;
constexpr int kTicks = 3;
constexpr int kBrightTicks = 5;

const QColor kFaint = QColor::fromRgbF(0.3f, 0.3f, 0.3f);
const QColor kGlow = QColor::fromRgbF(0.6f, 0.6f, 0.6f);
const QColor kFlare = QColor::fromRgbF(0.9f, 0.9f, 0.7f);

}  // namespace

MeteorStreak MeteorStreak::launch(QPointF radiant, float viewWidth, const Random& random)
{
    const float length = kStepShare * viewWidth;
    const std::uint32_t u1 = random();
    const std::uint32_t u2 = random();
    const double dx = (0.5f - float(u1) * kInverseRange) * length;
    const double dy = (0.5f - float(u2) * kInverseRange) * length;
    MeteorStreak streak;
    streak.step = QPointF(dx, dy);
    streak.start = radiant + 2.0 * streak.step;
    streak.isBright = dx > kBrightStep || dy > kBrightStep;
    return streak;
}

QLineF MeteorStreak::segment(int j) const
{
    return {start + j * step, start + (j + 1) * step};
}

QColor MeteorStreak::color(int j) const
{
    if (!isBright)
        return kFaint;
    if (j == 3 || j == 6)
        return kGlow;
    if (j == 4 || j == 5)
        return kFlare;
    return kFaint;
}

int MeteorStreak::ticksPerStep() const { return isBright ? kBrightTicks : kTicks; }
