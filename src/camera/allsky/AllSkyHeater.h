#pragma once

#include "camera/guide/GuideClock.h"
#include "mount/DebugWriter.h"

#include <QObject>

#include <functional>
#include <memory>

class AllSkyCamera;
class AllSkyClock;

// The all-sky camera's dew heater: on for one period, off for another, and
// switched by hand. It changes only while the camera is idle; a period that
// ends while it is busy tries again 10 s later, a forced change every 0.5 s.
class AllSkyHeater final : public QObject {
    Q_OBJECT
public:
    static constexpr int kRetryMs = 10000;
    static constexpr int kForceMs = 500;

    AllSkyHeater(AllSkyCamera& camera, AllSkyClock& clock, std::function<bool()> isIdle, DebugWriter debug,
                 QObject* parent = nullptr);
    ~AllSkyHeater() override;

    // How long the heater stays on and off, in seconds; 0 = no cycle, no off period.
    void setHeatOnSchedule(float seconds) { m_heatOn = seconds; }
    void setHeatOffSchedule(float seconds) { m_heatOff = seconds; }
    float heatOnSchedule() const { return m_heatOn; }
    float heatOffSchedule() const { return m_heatOff; }

    // The cycle of a schedule that runs at once: with an off period the
    // heater comes on when it ends, else a heater that is on goes off.
    void startImmediate();
    // The cycle of a dated schedule at its start: the heater goes on now
    // (without an off period) or off now, when the camera is next idle.
    void startDated();
    // Ends the cycle; a heater that is on goes off when the camera is next idle.
    void stopCycle();
    // The heater check box: on or off when the camera is next idle.
    void force(bool on);
    // The camera is going away: every timer stops and a heater that is on
    // goes off now, while the camera still listens.
    void switchOffNow();

    bool isHeating() const { return m_isHeating; }

signals:
    void heatingChanged(bool on);

private:
    void heatOnTick();
    void heatOffTick();
    void forceTick(bool on);
    void switchHeater(bool on, const char* line);
    void startPeriod(GuideTimer& timer, float seconds, void (AllSkyHeater::*tick)());

    AllSkyCamera& m_camera;
    std::function<bool()> m_isIdle;
    DebugWriter m_debug;
    std::unique_ptr<GuideTimer> m_onTimer;
    std::unique_ptr<GuideTimer> m_offTimer;
    std::unique_ptr<GuideTimer> m_onRetry;
    std::unique_ptr<GuideTimer> m_offRetry;
    std::unique_ptr<GuideTimer> m_forceTimer;
    float m_heatOn = 0.0F;
    float m_heatOff = 0.0F;
    bool m_isHeating = false;
};
