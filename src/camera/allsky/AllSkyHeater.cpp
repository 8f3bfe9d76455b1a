#include "camera/allsky/AllSkyHeater.h"

#include "camera/allsky/AllSkyCamera.h"
#include "camera/allsky/AllSkyClock.h"

AllSkyHeater::AllSkyHeater(AllSkyCamera& camera, AllSkyClock& clock, std::function<bool()> isIdle,
                           DebugWriter debug, QObject* parent)
    : QObject(parent),
      m_camera(camera),
      m_isIdle(std::move(isIdle)),
      m_debug(std::move(debug)),
      m_onTimer(clock.createTimer()),
      m_offTimer(clock.createTimer()),
      m_onRetry(clock.createTimer()),
      m_offRetry(clock.createTimer()),
      m_forceTimer(clock.createTimer())
{
}

AllSkyHeater::~AllSkyHeater() = default;

void AllSkyHeater::startPeriod(GuideTimer& timer, float seconds, void (AllSkyHeater::*tick)())
{
    timer.start(guideMilliseconds(seconds), true, [this, tick] { (this->*tick)(); });
}

void AllSkyHeater::startImmediate()
{
    if (m_heatOn <= 0)
        return;
    if (m_heatOff > 0) {
        startPeriod(*m_offTimer, m_heatOff, &AllSkyHeater::heatOffTick);
    } else {
        startPeriod(*m_onTimer, m_heatOn, &AllSkyHeater::heatOnTick);
        heatOnTick();
    }
}

void AllSkyHeater::startDated()
{
    if (m_heatOn <= 0)
        return;
    if (m_heatOff <= 0) {
        startPeriod(*m_onTimer, m_heatOn, &AllSkyHeater::heatOnTick);
        force(true);
    } else {
        startPeriod(*m_offTimer, m_heatOff, &AllSkyHeater::heatOffTick);
        force(false);
    }
}

void AllSkyHeater::stopCycle()
{
    for (GuideTimer* timer : {m_onTimer.get(), m_offTimer.get(), m_onRetry.get(), m_offRetry.get()})
        timer->stop();
    if (m_isHeating)
        force(false);
}

void AllSkyHeater::force(bool on)
{
    m_forceTimer->start(kForceMs, true, [this, on] { forceTick(on); });
}

void AllSkyHeater::switchOffNow()
{
    for (GuideTimer* timer : {m_onTimer.get(), m_offTimer.get(), m_onRetry.get(), m_offRetry.get(), m_forceTimer.get()})
        timer->stop();
    if (m_isHeating)
        switchHeater(false, "AllSky Heater turned off");
}

void AllSkyHeater::forceTick(bool on)
{
    if (!m_isIdle())
        return;
    m_forceTimer->stop();
    switchHeater(on, on ? "AllSky Heater forced on" : "AllSky Heater forced off");
}

void AllSkyHeater::heatOnTick()
{
    if (!m_isHeating)
        return;
    if (!m_isIdle()) {
        m_onRetry->start(kRetryMs, false, [this] {
            if (m_onTimer->isActive())
                heatOnTick();
        });
        return;
    }
    if (m_heatOff > 0)
        startPeriod(*m_offTimer, m_heatOff, &AllSkyHeater::heatOffTick);
    switchHeater(false, "AllSky Heater turned off");
}

void AllSkyHeater::heatOffTick()
{
    if (m_isHeating)
        return;
    if (!m_isIdle()) {
        m_offRetry->start(kRetryMs, false, [this] {
            if (m_offTimer->isActive())
                heatOffTick();
        });
        return;
    }
    startPeriod(*m_onTimer, m_heatOn, &AllSkyHeater::heatOnTick);
    switchHeater(true, "AllSky Heater turned on");
}

void AllSkyHeater::switchHeater(bool on, const char* line)
{
    m_camera.setHeater(on);
    m_isHeating = on;
    emit heatingChanged(on);
    m_debug(line);
}
