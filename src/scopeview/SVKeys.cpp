#include "scopeview/SVKeys.h"

#include "scopeview/SVOptics.h"

#include <Qt>

namespace {

// An arrow pans 1.5 degrees per degree of half-field at full speed.
constexpr double kPanPerHalfField = 0.02617993877991495;
// Alt with Up or Down changes the power by 4 at full speed.
constexpr float kPowerStep = 4.0f;

}  // namespace

SVKeys SVKeys::keyDown(int key, bool alt, double svAngle, float arrowSpeed,
                       const SVOrientation& flips, float power)
{
    SVKeys k;
    const double step = svAngle * kPanPerHalfField * arrowSpeed / 100.0;
    const float powerStep = kPowerStep * arrowSpeed / 100.0f;
    switch (key) {
    case Qt::Key_Up:
        if (alt)
            k.power = SVOptics::clampPower(power + powerStep);
        else
            k.dDec = step * flips.nsSign;
        break;
    case Qt::Key_Down:
        if (alt)
            k.power = SVOptics::clampPower(power - powerStep);
        else
            k.dDec = -step * flips.nsSign;
        break;
    case Qt::Key_Left:
        k.dRA = step * flips.ewSign;
        break;
    case Qt::Key_Right:
        k.dRA = -step * flips.ewSign;
        break;
    default:
        break;
    }
    return k;
}
