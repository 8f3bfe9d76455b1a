#pragma once

#include "camera/guide/GuideAdapter.h"
#include "camera/guide/GuideClock.h"
#include "camera/guide/GuideMount.h"
#include "camera/guide/GuideView.h"
#include "camera/guide/StarCentroid.h"
#include "mount/DebugWriter.h"
#include "mount/links/AutoguiderLink.h"

#include <array>
#include <memory>

// The autoguider on the webcam picture. It calibrates how the mount's axes
// move the guide star (a step machine on a 0.1 s timer, one step per fresh
// frame), then keeps the star on its lock position with timed corrections
// through one of three outputs chosen at every step: the GPUSB adapter when
// connected, else LX200 pulse guiding on a protocol-2 mount, else timed
// direction slews. Times are seconds, positive east and north. Nothing here
// waits: every pause is a one-shot timer of the injected clock.
//
// Its parts: set-up, actions and outputs (WebcamGuide.cpp), calibration
// (GuideCalibration.cpp) and the guide loop (GuideLoop.cpp).
class WebcamGuide final : public AutoguiderLink, public GuideAdapterListener {
public:
    enum CalibrateStep : quint16 { kCalStart = 1, kCalEast = 2, kCalNorth = 3, kCalCompute = 4, kCalStop = 5 };
    static constexpr int kHistory = 100;
    static constexpr int kMostBacklashFrames = 600;
    static constexpr int kBacklashResend = 10;
    static constexpr int kLongPulse = 9999;
    // The longest outside correction, seconds: the longest pulse the guider sends.
    static constexpr float kLongestCorrection = kLongPulse / 1000.0f;
    static constexpr int kLostAfter = 4;
    static constexpr float kGuideWindow = 30.0f;

    WebcamGuide(GuideClock& clock, DebugWriter debug = {});
    ~WebcamGuide() override;

    // One setter per link; each may be null while the program lacks it.
    void setFrameSource(FocusImage* source) { m_centroid.setFrameSource(source); }
    void setMount(GuideMount* mount) { m_mount = mount; }
    void setAdapter(GuideAdapter* adapter) { m_adapter = adapter; }
    void setView(GuideView* view) { m_view = view; }
    void setCompanion(GuideDataListener* companion) { m_controller = companion; }

    // The picture side: guide buffer, star search and hot pixel.
    StarCentroid& centroid() { return m_centroid; }
    GuidePoint starCentroid(GuidePoint hint) { return m_centroid.starCentroid(hint); }

    // The panel's actions. `shift` is whether Shift was held, which turns
    // the hot-pixel rectangle on. Tag 1 Calibrate, tag 2 Guide.
    void guideAction(int tag, bool shift);
    // Tag 1 the calibration seconds, tag 2 the least backlash movement.
    void calTimeAction(int tag, int value);
    void guideRateAction(int tag);
    void guideGainAction(float gain) { m_guideGain = gain; }
    // Tag 1 Dec+, tag 2 Dec−.
    void guideDecAction(int tag, bool on);
    void setGuideRate();

    // One calibration step; one guide step (`start` begins guiding).
    void calibrate();
    bool guide(bool start);
    // A correction asked for by an outside guiding program; one beyond
    // kLongestCorrection, or not finite, moves nothing and answers false.
    bool phdGuideControl(float eastWest, float northSouth);

    // AutoguiderLink.
    bool isCalibrating() const override { return m_isCalibrating; }
    void setCalibrateEnable(bool enabled) override;
    bool useGPUSB() const override { return m_useGPUSB; }
    // GuideAdapterListener.
    void resetRADriveFlags() override;
    void resetDecDriveFlags() override;
    void enableGuide(bool enabled) override;

    // The companion app's side.
    bool isGuiding() const { return m_isGuiding; }
    float errX() const { return m_errX; }
    float errY() const { return m_errY; }
    const std::array<float, kHistory>& errXArray() const { return m_errXArray; }
    const std::array<float, kHistory>& errYArray() const { return m_errYArray; }
    float guideRate() const { return m_guideRate; }
    void setLumarikTrend(bool on) { m_isLumarikTrend = on; }
    void setLumarikTrendUpdate(bool on) { m_isLumarikTrendUpdate = on; }
    void clearErrArrays();

    quint16 calibrateStep() const { return m_calibrateStep; }
    void setCalibrateStep(quint16 step) { m_calibrateStep = step; }
    bool isCalibrated() const { return m_isCalibrated; }
    bool isCalibrateEnabled() const { return m_isCalibrateEnabled; }
    GuidePoint calCurrentPt() const { return m_calCurrentPt; }
    GuidePoint clickPt() const { return m_clickPt; }
    void setClickPt(GuidePoint point) { m_clickPt = point; }
    quint16 calTime() const { return m_calTime; }
    float xDrive() const { return m_xDrive; }
    float yDrive() const { return m_yDrive; }
    float guideCosA() const { return m_guideCosA; }
    float guideSinA() const { return m_guideSinA; }
    float xDriveTime() const { return m_xDriveTime; }
    float yDriveTime() const { return m_yDriveTime; }
    bool isDriving() const { return m_isDriving; }
    const QString& guideStatus() const { return m_status; }

private:
    // Calibration (GuideCalibration.cpp).
    void startCalTimer();
    void runCalTimer();
    void calStart();
    void calDrive(bool east);
    void waitForBacklash(bool east);
    void finishEastDrive();
    void calCompute();
    void returnToStart();
    void calStop();
    void driveEast();
    void driveNorth();
    void setCalibrating(bool calibrating);

    // The guide loop (GuideLoop.cpp).
    void startGuideTimer();
    void runGuideTimer();
    // Steps 6 to 12 of a guide step: measure, rotate, choose the corrections
    // and send the right-ascension one; false when no star was measured.
    bool measureAndCorrect(float deadBand, bool& done);
    void correctDec();
    void record();
    void runEWSlewTimer();
    void runNSSlewTimer();
    void phdNorthSouth(float northSouth);
    void lostStar();

    // Outputs and shared helpers (WebcamGuide.cpp).
    bool adapterConnected() const { return m_adapter && m_adapter->isGPUSBConnected(); }
    int protocol() const { return m_mount ? m_mount->scopeProtocol() : 0; }
    bool pulses() const { return protocol() == GuideMount::kPulseProtocol; }
    bool frameIsFresh() const;
    void requestFrame();
    // The outputs let go: the adapter's lines off, slews stopped with
    // `slewStop` (a stop or a slew-stop code 5); pulses end by themselves
    // unless `stopPulses`.
    void releaseOutputs(bool useSlewStop, bool stopPulses);
    bool slew(int direction);
    bool slewStop(int direction);
    bool pulse(bool eastWest, int milliseconds);
    void clearDirections();
    void setStatus(const QString& text);
    void stopGuideTimer();

    StarCentroid m_centroid;
    GuideClock& m_clock;
    DebugWriter m_debug;
    GuideMount* m_mount = nullptr;
    GuideAdapter* m_adapter = nullptr;
    GuideView* m_view = nullptr;
    GuideDataListener* m_controller = nullptr;
    QString m_status;

    // Calibration.
    quint16 m_calTime = 10;
    quint16 m_minMove = 6;
    quint16 m_calibrateStep = 0;
    quint16 m_stepCounter = 0;
    GuidePoint m_calStartPt;
    GuidePoint m_calCurrentPt;
    qint64 m_driveStartMs = 0;
    int m_pulseTime = 0;
    bool m_isCalDriving = false;
    bool m_isCalSettling = false;
    bool m_isCalibrating = false;
    bool m_isCalibrated = false;
    bool m_isCalibrateEnabled = false;
    bool m_useGPUSB = false;
    float m_xXDrive = 0, m_yXDrive = 0, m_xYDrive = 0, m_yYDrive = 0;
    float m_xDrive = 0, m_yDrive = 0;
    float m_guideCosA = 1, m_guideSinA = 0, m_guideCosB = 0, m_guideSinB = 1;

    // Guiding.
    GuidePoint m_clickPt;
    float m_guideRate = 5.0f;
    float m_guideGain = 1.0f;
    bool m_isGuiding = false;
    bool m_killGuideTimer = false;
    bool m_isDriving = false;
    bool m_isDrivingE = false, m_isDrivingW = false, m_isDrivingN = false, m_isDrivingS = false;
    bool m_isX = true;
    bool m_isDecPlus = true;
    bool m_isDecMinus = true;
    float m_errX = 0, m_errY = 0;
    float m_xDriveTime = 0, m_yDriveTime = 0;
    std::array<float, kHistory> m_errXArray{};
    std::array<float, kHistory> m_errYArray{};
    bool m_isLumarikTrend = false;
    bool m_isLumarikTrendUpdate = false;
    quint16 m_lostCount = 0;

    std::unique_ptr<GuideTimer> m_calStartTimer;
    std::unique_ptr<GuideTimer> m_calTimer;
    std::unique_ptr<GuideTimer> m_calSettleTimer;
    std::unique_ptr<GuideTimer> m_calStopTimer;
    std::unique_ptr<GuideTimer> m_returnEWTimer;
    std::unique_ptr<GuideTimer> m_returnTriggerNSTimer;
    std::unique_ptr<GuideTimer> m_returnNSTimer;
    std::unique_ptr<GuideTimer> m_returnEndTimer;
    std::unique_ptr<GuideTimer> m_guideStartTimer;
    std::unique_ptr<GuideTimer> m_guideTimer;
    std::unique_ptr<GuideTimer> m_ewSlewTimer;
    std::unique_ptr<GuideTimer> m_nsSlewTimer;
    std::unique_ptr<GuideTimer> m_ewSettleTimer;
    std::unique_ptr<GuideTimer> m_nsSettleTimer;
    std::unique_ptr<GuideTimer> m_phdNSTimer;
    std::unique_ptr<GuideTimer> m_phdEWPulseTimer;
    std::unique_ptr<GuideTimer> m_phdNSPulseTimer;
};
