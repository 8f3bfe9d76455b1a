#include "scopeview/SVOptics.h"

#include "scopeview/SurveyServers.h"

#include "model/Angles.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kConeSearchMaxFov = 2.0f;
// The camera frame fills 0.42 of the view's height per divisor unit and the
// field is drawn 0.956 of the view's enlarged half-diagonal across.
constexpr double kFrameShare = 0.42;
constexpr double kFrameFill = 0.956;

}  // namespace

void SVOptics::reset(float scopeFL, const eyepiece& firstSlot)
{
    m_scopeFL = scopeFL;
    m_eyeFL = firstSlot.eyeFL;
    m_eyeFOV = firstSlot.eyeFOV;
    m_power = kStartPower;
    m_fov = kStartFov;
}

bool SVOptics::isSlotUsable(const eyepiece& slot) const
{
    return m_scopeFL > 0.0f && slot.eyeFL > 0.0f && std::isfinite(m_scopeFL) &&
           std::isfinite(slot.eyeFL);
}

bool SVOptics::selectEyepiece(const eyepiece& slot)
{
    if (!isSlotUsable(slot) || !(slot.eyeFOV > 0.0f))
        return false;
    m_eyeFL = slot.eyeFL;
    m_eyeFOV = slot.eyeFOV;
    m_power = m_scopeFL / m_eyeFL;
    m_fov = m_eyeFOV / m_power;
    return true;
}

bool SVOptics::selectCamera(const eyepiece& slot, const CameraSensor& sensor)
{
    if (!isSlotUsable(slot) || !(slot.eyeFOV > 0.0f))
        return false;
    m_eyeFL = kCameraEyeFL;
    m_eyeFOV = slot.eyeFOV;
    m_power = m_scopeFL / kCameraEyeFL;
    // The sensor width's angle scaled from the drawn frame to the field
    // circle; the sensor width and the view's size cancel.
    m_fov = float(Angles::kRadToDeg * kFrameFill * sensor.divisor / (kFrameShare * m_scopeFL) *
                  m_eyeFOV / 100.0);
    return true;
}

float SVOptics::clampPower(float power)
{
    if (!std::isfinite(power))
        return power > 0.0f ? kMaxPower : kMinPower;
    return std::clamp(power, kMinPower, kMaxPower);
}

void SVOptics::setDirectPower(float power)
{
    m_power = clampPower(power);
    keepPowerAsDirect();
}

void SVOptics::keepPowerAsDirect() { m_fov = kDirectApparentField / m_power; }

bool SVOptics::isSurveyAllowed(int serverIndex) const
{
    return m_fov * SurveyServers::kArcminPerDegree <= SurveyServers::kMaxCutArcmin
        || SurveyServers::isSkyViewStyle(serverIndex);
}

bool SVOptics::isConeSearchAllowed() const { return m_fov <= kConeSearchMaxFov; }

double SVOptics::sliderValue(double power) { return 10.0 * std::log2(power); }

double SVOptics::powerOfSlider(double value) { return std::exp2(value / 10.0); }
