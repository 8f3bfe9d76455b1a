#pragma once

#include "model/settings/links/DomeDevice.h"
#include "mount/DebugWriter.h"
#include "mount/ScopeThread.h"
#include "mount/WorkerReply.h"
#include "mount/dome/DomeBoardExchange.h"
#include "mount/dome/DomeBoardWatch.h"
#include "mount/dome/DomeExchanges.h"
#include "mount/dome/DomeGeometry.h"
#include "mount/links/ConnectMenuLinks.h"
#include "mount/links/DomeJobs.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class DomeMount;
class DomeView;

// How long each worker job runs before it gives up, however long each
// reading of the board takes.
struct DomeJobLimits {
    std::chrono::milliseconds seekHome{40000};  // calibration, until home is seen
    std::chrono::milliseconds turn{80000};      // calibration, one turn
    std::chrono::milliseconds track{40000};     // one tracking rotation
    std::chrono::milliseconds home{60000};      // the home search
};
class SerialControl;
class SkyRedraw;

// The relay/IO board that turns the dome (serial slot 4): relay 1 turns it
// east to west (azimuth increasing), relay 2 back; input 1 is the rotation
// encoder, input 2 the home sensor, inputs 3 and 4 the shutter limits;
// output 8 opens the shutter, output 7 closes it. It counts encoder edges
// from home, calibrates the ticks per turn, finds home and slaves the dome
// to the telescope.
//
// Every exchange with the board runs on its port's worker: connecting (the
// port and speed scan, a new board's set-up), the long jobs, and the user's
// actions, the shutter and the tracking tick, which post their exchange
// and take its outcome on the main thread. A job runs the exchanges posted
// meanwhile between its cycles. Every board operation holds the board lock,
// so exchanges and counts never mix; what the worker tells the panel, the
// settings and the user goes through the main thread. The shutter's and the
// actions' own states (held, moving, an exchange awaited) are the main
// thread's only. A board that stops answering while a job or the shutter
// runs has its motors switched off and is disconnected, and the user is
// told once.
//
// Its parts: the board operations and settings (DomeControl.cpp),
// connecting and set-up (DomeConnect.cpp), the user's actions and the
// shutter (DomeActions.cpp) and the worker jobs (DomeJobs.cpp).
class DomeControl : public QObject,
                    public DomeDevice,
                    public DomeBoardJobs,
                    public DomeFollower,
                    public MenuDevice {
    Q_OBJECT
public:
    DomeControl(SerialControl& serial, DomeMount& mount, DebugWriter debug,
                ScopeThreadTiming timing = {}, QObject* parent = nullptr);
    ~DomeControl() override;

    void setView(DomeView* view) { m_view = view; }
    void setSkyView(SkyRedraw* sky) { m_sky = sky; }
    void setJobLimits(const DomeJobLimits& limits) { m_jobLimits = limits; }
    // The settings object's saves of the board and of the calibration.
    void setSaves(std::function<void()> board, std::function<void()> ticks)
    {
        m_saveBoard = std::move(board);
        m_saveTicks = std::move(ticks);
    }

    // Connecting and the board. The connect starts the port scan on the
    // worker (false when it cannot start); the view learns how it ended.
    // Disconnects a connected board.
    bool domeConnect();
    bool isDomeConnecting() const { return m_isConnecting; }
    bool domeDisconnect() override;
    // Connected, connecting, or the disconnect's last commands still to go out.
    bool needsWorker() const { return m_isDomeConnect || m_isConnecting || m_isClosing; }
    bool domeTest();
    // The panel's Reset: gives the board a new speed on the worker, then
    // disconnects; the user and the view learn how it ended.
    void applyBaudRate(quint16 code);
    // The board operations: each waits for its exchange, so the program
    // calls them on the worker only.
    bool domeReadInput();
    bool domeIsHome();
    bool domeReadTicks();
    int domeReadRelay();
    bool domeSetRelay(char relay, bool on);
    bool domeSetOutput(int value, bool on);
    bool domeNudgeRelay(char relay);

    bool calcDomeAzimuth();
    void domeGetScopeAz();

    // The user's actions. `nudge` (Alt held) pulses the relay once.
    void domeRotateWest(bool nudge = false);
    void domeRotateEast(bool nudge = false);
    void domeShutterUp();
    void domeShutterDown();
    void domeShutterTimer();
    void domeSync();
    void domeFindHome();
    void domeTrack(bool on);
    // False when the port's worker refused the job: nothing runs then.
    bool domeCalibrateCmd();
    void domeTrackCmd();
    void setIsCalAbort(bool abort) { m_isCalAbort = abort; }
    // Asks every running job to end at its next cycle, as at quit.
    void stopJobs();
    bool isCalibrating() const { return m_isCalibrating; }
    void domeFireTrackTimer();
    void domeResetTrackFreq();
    void domeFreqTimer();

    // Worker jobs 200..204.
    void domeTrackTimer() override;
    void domeCalibrateTimer() override;
    void domeHomeTimer() override;
    void domeRelayWestOnTimer() override;
    void domeRelayEastOnTimer() override;

    // Settings.
    void setDomeSetup(double x, double y, double z, double bigR, double smallR, double flip,
                      float homeAzimuth, float delta, float frequency) override;
    // 0 ticks per turn is refused: there is no angle to a tick.
    void setDomeTicks(quint32 ticksPerTurn, qint16 overshoot) override;
    void setBaudRate(quint16 code) override { m_baudRate = code; }
    void setIsBoardSetup(bool setUp) override { m_isBoardSetup = setUp; }
    void setIsDomeShutter(bool on) override { m_isDomeShutter = on; }
    void setIsDomeBiDirection(bool on) override { m_isDomeBiDirection = on; }
    void setDomeI5V1(bool on) override { m_domeI5V[0] = on; }
    void setDomeI5V2(bool on) override { m_domeI5V[1] = on; }
    void setDomeI5V3(bool on) override { m_domeI5V[2] = on; }
    void setDomeI5V4(bool on) override { m_domeI5V[3] = on; }
    void setIsDomeTrack(bool on) { m_isDomeTrack = on; }

    double domeX() const override { return m_geometry.x; }
    double domeY() const override { return m_geometry.y; }
    double domeZ() const override { return m_geometry.z; }
    double domeR() const override { return m_geometry.bigR; }
    double domer() const override { return m_geometry.smallR; }
    double domef() const override { return m_geometry.flip; }
    float domeHomeAzimuth() const override { return m_domeHomeAzimuth; }
    float domeDelta() const override { return m_domeDelta; }
    float domeFrequency() const override { return m_domeFrequency; }
    quint32 domeMaxTicks() const override { return m_domeMaxTicks; }
    qint16 domeOvershoot() const override { return m_domeOvershoot; }
    quint16 baudRate() const override { return m_baudRate; }
    bool isBoardSetup() const override { return m_isBoardSetup; }
    bool domeI5V1() const override { return m_domeI5V[0]; }
    bool domeI5V2() const override { return m_domeI5V[1]; }
    bool domeI5V3() const override { return m_domeI5V[2]; }
    bool domeI5V4() const override { return m_domeI5V[3]; }
    bool isDomeConnect() const override { return m_isDomeConnect; }

    bool isDomeShutter() const { return m_isDomeShutter; }
    bool isDomeBiDirection() const { return m_isDomeBiDirection; }
    bool isDomeTrack() const { return m_isDomeTrack; }
    bool hasDomeBeenHome() const { return m_hasDomeBeenHome; }
    bool isFirstConnect() const { return m_isFirstConnect; }
    bool isFindHome() const { return m_isFindHome; }
    bool isDomeRelayOn() const { return m_isDomeRelayOn; }
    bool isDomeShutterMove() const { return m_isDomeShutterMove; }
    bool isShutterOpenHeld() const { return m_shutterOpenHeld; }
    bool isShutterCloseHeld() const { return m_shutterCloseHeld; }
    quint16 domePort() const { return m_domePort; }
    qint32 domeTicks() const { return m_domeTicks; }
    float domeAzimuth() const { return m_domeAzimuth; }
    float scopeAzimuth() const { return m_scopeAzimuth; }
    float domeTargetAzimuth() const { return m_domeTargetAzimuth; }
    float domeSkyAzimuth() const { return m_domeSkyAzimuth; }
    float domeOverDeg() const { return m_domeOverDeg; }
    float domeTolerance() const { return m_domeTolerance; }
    bool domeR1Stat() const { return m_domeR1Stat; }
    bool domeR2Stat() const { return m_domeR2Stat; }
    bool domeO7Stat() const { return m_domeO7Stat; }
    bool domeO8Stat() const { return m_domeO8Stat; }
    // Inputs 1..4 active at the last reading.
    bool domeIStat(int input) const { return m_domeIStat[input - 1]; }

    // MenuDevice.
    bool isConnected() const override { return m_isDomeConnect; }
    bool connectDevice() override { return !m_isDomeConnect && domeConnect(); }
    void disconnectDevice() override { domeDisconnect(); }
    // Why the last connect did not start; a blank when the listing found a port.
    QString connectFailure() const override { return m_connectFailure; }
    // DomeFollower, asked by the worker after a goto.
    bool isTracking() const override { return m_isDomeTrack; }
    void followMount() override { domeFireTrackTimer(); }

private:
    // A press turns the relay's job on or off; a nudge pulses the relay once.
    void domeRotate(char relay, int job, bool nudge);
    // Tells every job to end at its next cycle; true when one was running
    // or asked for, so a relay may be on.
    bool endRelayJobs();
    using Lock = std::unique_lock<std::recursive_mutex>;
    Lock lockBoard() { return Lock(m_boardMutex); }
    bool isReady() const { return m_isBoardSetup && m_isDomeConnect; }
    // Queues `job` for the worker, or for a job's next cycle.
    void postToWorker(std::function<void()> job);
    // Runs `work()` on the worker and `answer(result)` here, unless the
    // connection it was asked in has ended meanwhile: then neither runs.
    template <typename Work, typename Answer>
    void exchange(Work work, Answer answer);
    // Runs `work()` on the worker unless the connection has ended by then.
    void command(std::function<void()> work);
    // The disconnect's commands for what still runs, then the close.
    void closeAfterStops(bool relays, bool outputs);
    // The exchanges awaited belong to the connection that ends.
    void forgetExchanges();
    void connectEnded(const DomeConnection& found, quint32 scan);
    void connected(std::optional<int> inputs);
    void applySetup(quint16 code, const DomeSetupResult& result);
    // Takes the inputs the board reported (bits 0..3 = inputs 1..4).
    void applyInputs(int bits);
    // One edge count of input 1 into `count` (phase in `phase`); true when counted.
    bool countEdge(bool& phase) const;
    void atHome();
    void applyTickAngles();
    void wrapTicks();
    void updateAzimuth();
    void startShutter(int output, bool& held, bool& other);
    void shutterStopped();
    // The tracking tick's reading taken: the dome follows unless near enough.
    void followTarget();
    void startHomeSearch();
    void homeStopped();
    // Turns the relays off on the worker, after the settling pause.
    void relaysOffLater();
    bool rotationDone(double goal) const;
    void endJob();
    // Counts the coast for `cycles` cycles; false when the board was lost meanwhile.
    bool coast(int cycles, DomeBoardWatch& watch);
    // Nudges back onto home until the search's `end`; false when the board was lost.
    bool domeNudgeHome(DomeBoardWatch::Clock::time_point end, DomeBoardWatch& watch);
    // Reads the inputs: whether home is seen (taken as the dome's place),
    // nothing when the reading failed.
    std::optional<bool> readIsHome();
    // Takes a job's reading into `watch`: true once the board has stopped
    // answering. A reading refused because of a disconnect tells nothing.
    bool lostBoard(bool read, DomeBoardWatch& watch);
    // After a failed reading, reads until one answers (true) or the board
    // counts as lost (false).
    bool answersAgain(DomeBoardWatch& watch);
    // The board stopped answering: both relays and the shutter's outputs
    // off while it still takes commands (on the worker); then the main
    // thread disconnects it and tells the user, once for the connection.
    void stopMotors();
    void announceLost();
    void loseConnection();
    void endHomeSearch();
    void relayJob(char relay);
    // Runs `work` on the main thread: now when called there, else queued.
    void onMain(std::function<void()> work);
    void alert(const QString& title, const QString& message);
    void pause(std::chrono::microseconds span) const { m_timing.pause(span); }
    void pauseTicks(int ticks) const { m_timing.pause(ticks * m_timing.tick); }
    DomeBoardWatch::Clock::time_point now() const { return m_timing.now(); }
    // A job's wait between cycles, which runs the exchanges posted meanwhile.
    void cycle(std::chrono::microseconds span)
    {
        pause(span);
        m_exchanges->runWaiting();
    }

    SerialControl& m_serial;
    DomeMount& m_mount;
    DebugWriter m_debug;
    ScopeThreadTiming m_timing;
    DomeJobLimits m_jobLimits;
    DomeBoardExchange m_line;
    DomeView* m_view = nullptr;
    SkyRedraw* m_sky = nullptr;
    std::function<void()> m_saveBoard;
    std::function<void()> m_saveTicks;
    std::recursive_mutex m_boardMutex;
    std::shared_ptr<DomeExchanges> m_exchanges = std::make_shared<DomeExchanges>();

    QTimer m_domeTrackTimer;
    QTimer m_shutterTimer;
    std::atomic<bool> m_isDomeConnect = false;
    std::atomic<bool> m_isBoardSetup = false;
    bool m_isFirstConnect = false;
    quint16 m_domePort = 0;
    bool m_isConnecting = false;  // the port scan is on the worker
    QString m_connectFailure = QStringLiteral(" ");
    // The scan whose outcome is awaited; the worker's scan gives up once it
    // changes. Changed by each connect and disconnect, it also tells an
    // exchange's answer from an earlier connection's.
    std::shared_ptr<std::atomic<quint32>> m_scan = std::make_shared<std::atomic<quint32>>(0);
    std::atomic<quint32> m_domeMaxTicks = 0;
    std::atomic<qint32> m_domeTicks = 0;
    std::atomic<quint16> m_baudRate = 2;
    std::atomic<qint16> m_domeOvershoot = 0;
    DomeGeometry m_geometry;
    std::atomic<float> m_domeOverDeg = 0.0f;
    std::atomic<float> m_domeHomeAzimuth = 0.0f;
    std::atomic<float> m_domeTolerance = 1.0f;
    std::atomic<float> m_domeSkyAzimuth = -1.0f;
    std::atomic<float> m_domeAzimuth = -1.0f;
    std::atomic<float> m_scopeAzimuth = -1.0f;
    std::atomic<float> m_domeTargetAzimuth = 0.0f;
    std::atomic<float> m_domeFrequency = 60.0f;
    std::atomic<float> m_domeDelta = 5.0f;
    std::atomic<bool> m_isDomeEtoW = true;
    bool m_phase = false;
    std::atomic<bool> m_isCalAbort = false;
    // Asked for or running: set on the main thread before the job goes out.
    std::atomic<bool> m_isCalibrating = false;
    std::atomic<bool> m_isDomeTrack = false;
    std::atomic<bool> m_isTracking = false;
    std::atomic<bool> m_isFindHome = false;
    std::atomic<bool> m_isDomeShutter = true;
    std::atomic<bool> m_isDomeBiDirection = true;
    bool m_isDomeShutterMove = false;
    bool m_shutterOpenHeld = false;
    bool m_shutterCloseHeld = false;
    // Exchanges awaited: at most one of each kind goes to the worker.
    bool m_isShutterStarting = false;
    bool m_isShutterReading = false;
    bool m_isTickReading = false;
    bool m_isResetting = false;
    bool m_isClosing = false;
    // Home's presses: only the latest one's first check is taken.
    quint32 m_homeCheck = 0;
    bool m_isHomeChecking = false;
    std::atomic<bool> m_domeR1Stat = false;
    std::atomic<bool> m_domeR2Stat = false;
    std::atomic<bool> m_domeO7Stat = false;
    std::atomic<bool> m_domeO8Stat = false;
    std::atomic<bool> m_domeIStat[4] = {false, false, false, false};
    std::atomic<bool> m_domeI5V[4] = {false, false, false, false};
    std::atomic<bool> m_isDomeRelayOn = false;
    std::atomic<bool> m_hasDomeBeenHome = false;
};

template <typename Work, typename Answer>
void DomeControl::exchange(Work work, Answer answer)
{
    const quint32 session = *m_scan;
    postWithReply([this](std::function<void()> job) { postToWorker(std::move(job)); }, this,
                  [this, session, work = std::move(work)] {
                      return *m_scan == session ? work() : decltype(work()){};
                  },
                  [this, session, answer = std::move(answer)](const auto& result) {
                      if (*m_scan == session)
                          answer(result);
                  });
}
