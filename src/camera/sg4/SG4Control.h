#pragma once

#include "camera/sg4/SG4DarkFrame.h"
#include "camera/sg4/SG4Exchange.h"
#include "camera/sg4/SG4Image.h"
#include "camera/sg4/SG4Protocol.h"
#include "camera/sg4/SG4Timing.h"
#include "camera/sg4/SG4Worker.h"
#include "camera/sg4/SG4ReportCollector.h"
#include "model/settings/links/SG4Device.h"
#include "mount/DebugWriter.h"
#include "mount/SerialSlots.h"
#include "mount/WorkerReply.h"
#include "mount/links/ConnectMenuLinks.h"
#include "mount/links/SG4Jobs.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class SG4DevicePanel;
class SG4GuiderPanel;
class SerialControl;

// One controller for the SBIG SG-4 guider and the SBIG AllSky camera, which
// share one command set on serial slot 3: connecting, the commands, single
// exposures with their completion polls, the download on the mount's
// worker, the focus loop, the device settings and the guider's relays,
// calibration and guiding.
//
// Threads: every exchange on slot 3 (the port scan, the speed change, each
// command, the completion polls, the calibration report, the download)
// runs on the port's worker, one at a time in the order posted; its
// outcome comes back to the main thread, where every state and interface
// change is made. A command returns once posted: false only when it is
// refused before sending. Outcomes of an earlier connection are dropped.
// The download fills a buffer of its own and hands it to the main thread,
// which swaps it in: sg4Image() changes only on the main thread. The
// worker reads nothing of the controller but the request the main thread
// made for it, the abort flag and the dark frame.
//
// Its parts: state and connection (SG4Control.cpp, SG4Connect.cpp), the
// commands (SG4Commands.cpp), exposures and downloads (SG4Exposure.cpp),
// settings (SG4Setup.cpp) and the guider (SG4Guider.cpp).
class SG4Control : public QObject, public SG4Connection, public SG4Jobs, public SG4Device {
    Q_OBJECT
public:
    // sg4ImageAction tags and the image type menu's items.
    static constexpr int kTagDisplayExposure = 1;
    static constexpr int kTagExpose = 2;
    static constexpr int kTagImageType = 7;
    static constexpr int kTagFocus = 12;
    static constexpr int kTagDateStamp = 13;
    static constexpr int kItemLight = 8;
    static constexpr int kItemDark = 9;
    static constexpr int kItemAuto = 10;
    // sg4SetupAction tags; the speed menu's items 2..8 stand for 9600..460800,
    // the read-out menu's 11..14 for modes 0, 1, 2 and the sub-frame.
    static constexpr int kTagSpeed = 1;
    static constexpr int kTagMinMove = 8;
    static constexpr int kTagMaxMove = 9;
    static constexpr int kTagReadout = 10;
    static constexpr int kTagXGain = 20;
    static constexpr int kTagYGain = 21;
    static constexpr int kItemFirstSpeed = 2;
    static constexpr int kItemFirstMode = 11;
    static constexpr int kItemSubFrame = 14;
    // sg4ScopeAction tags.
    static constexpr int kTagUp = 1;      // Y plus
    static constexpr int kTagDown = 2;    // Y minus
    static constexpr int kTagLeft = 3;    // X minus
    static constexpr int kTagRight = 4;   // X plus
    static constexpr int kTagCalibrate = 5;
    static constexpr int kTagGuide = 6;

    static constexpr int kMostCompletionPolls = 11;

    SG4Control(SerialControl& serial, DebugWriter debug, SG4Timing timing = {}, QObject* parent = nullptr);
    ~SG4Control() override;

    // Links, each set once at assembly.
    void setWorker(SG4Worker* worker) { m_worker = worker; }
    void setSG4Panel(SG4GuiderPanel* panel) { m_sg4Panel = panel; }
    void setAllSkyPanel(SG4DevicePanel* panel) { m_allSkyPanel = panel; }
    // Stores a speed that answered ("SG4BaudPref").
    void setBaudStore(std::function<void(long)> store) { m_storeBaud = std::move(store); }
    // Shows the all-sky date panel (the date-stamp button while the SG-4 is not connected).
    void setDatePanelOpener(std::function<void()> open) { m_openDatePanel = std::move(open); }
    // Told on the main thread that an exposure ended, before its transfer is
    // posted; true when it started the next exposure to run during the transfer.
    void setExposureEnded(std::function<bool()> ended) { m_exposureEnded = std::move(ended); }

    // SG4Connection and SG4Device.
    bool isSG4Connect() const override { return m_isSG4Connect; }
    bool isAllSkyConnect() const override { return m_isAllSkyConnect; }
    void setIsAllSkySelect(bool allSky) override { m_isAllSkySelect = allSky; }
    bool initSG4Port() override;
    bool sg4Disconnect() override;
    // The user closed the connected device's panel. Work under way (an
    // exposure, a transfer, or the AllSky schedule when `scheduleRuns`) is
    // not dropped unasked: the user stops it and disconnects, the camera
    // told to stop before its line closes, or keeps it running with the
    // panel closed until the Connect menu shows it again.
    void panelClosed(bool scheduleRuns = false);
    void setSG4Baud(int baud) override { m_sg4Baud = baud; }
    void setExpSchedule(float seconds) override { m_expSchedule = seconds; }
    void setDarkSchedule(float seconds) override { m_darkSchedule = seconds; }
    void setHeatOnSchedule(float seconds) override { m_heatOnSchedule = seconds; }
    void setHeatOffSchedule(float seconds) override { m_heatOffSchedule = seconds; }
    // SG4Jobs: the download runs on the worker; the movie frame comes back on
    // the main thread and is passed on as allSkyMovieFrame.
    void sg4ImageDownload() override;
    void allSkyRecordMovie() override { emit allSkyMovieFrame(); }

    // The commands the panels and the AllSky side send; each posts its
    // exchange, true once posted, and `then` hears on the main thread
    // whether the device answered correctly.
    bool sg4SetBaudRateCmd(long baud, std::function<void(bool)> then = {});
    // Holds the relays of signed unit steps x and y closed (0, 0: all open).
    bool sg4ForceRelaysCmd(int x, int y);
    bool sg4SetMaxMoveCmd(quint16 move);
    bool sg4SetMinMoveCmd(quint16 move);
    bool sg4SetXAggressiveCmd();
    bool sg4SetYAggressiveCmd();
    bool sg4DefineSubFrameCmd();
    // 'T' for sg4ExpSec() at the read-out mode and image type; refused
    // unsent for a time the device cannot take.
    bool sg4TakeImageCmd(std::function<void(bool)> then = {});
    bool sg4AbortImageCmd(std::function<void(bool)> then = {});
    // The transfer of the image the request describes (worker thread): the
    // new image, or none after a failure or a stop.
    std::shared_ptr<SG4Image> sg4TransferImageCmd();
    bool sg4CalibrateGuiderCmd();
    bool sg4StartGuiderCmd();

    // The port scan runs on the worker.
    bool isSG4Connecting() const { return m_isConnecting; }
    // Exchanges of this connection posted whose outcome has not come back
    // yet (a worker that stops drops its queue unanswered).
    int pendingExchanges() const { return m_pending; }
    // The panels' actions by tag: `value` is the control's number (display
    // exposure, move, gain) or the chosen menu item's tag; `pressed` tells a
    // direction button's press from its release.
    void sg4ImageAction(int tag, double value = 0.0);
    void sg4SetupAction(int tag, double value = 0.0);
    void sg4ScopeAction(int tag, bool pressed = true);

    // Posts the download of the exposure just ended to the worker.
    void sg4ImageDownloadCmd();
    // Posts a completion poll; `then` hears whether the camera said 'D'.
    void sg4ExpDone(std::function<void(bool)> then);

    // State the views and the AllSky side read (main thread).
    long sg4Baud() const { return m_sg4Baud; }
    QString versionStr() const { return m_versionStr; }
    quint8 sg4Bin() const { return m_sg4Bin; }
    quint8 sg4Type() const { return m_sg4Type; }
    void setSG4Type(quint8 type) { m_sg4Type = type; }
    float sg4ExpSec() const { return m_sg4ExpSec; }
    void setSG4ExpSec(float seconds) { m_sg4ExpSec = seconds; }
    float sg4ExpFilter() const { return m_sg4ExpFilter; }
    std::shared_ptr<const SG4Image> sg4Image() const { return m_sg4Image; }
    quint8 sg4SubFrameSize() const { return m_sg4SubFrameSize; }
    void setSG4SubFrameSize(quint8 side) { m_sg4SubFrameSize = side; }
    quint16 sg4SubFrameX() const { return m_sg4SubFrameX; }
    quint16 sg4SubFrameY() const { return m_sg4SubFrameY; }
    void setSG4SubFrameXY(quint16 x, quint16 y) { m_sg4SubFrameX = x; m_sg4SubFrameY = y; }
    quint16 maxMove() const { return m_maxMove; }
    quint16 minMove() const { return m_minMove; }
    quint16 sg4XAgressive() const { return m_sg4XAgressive; }
    quint16 sg4YAgressive() const { return m_sg4YAgressive; }
    quint16 sg4Port() const { return m_sg4Port; }
    bool isSG4Exposing() const { return m_isSG4Exposing; }
    bool isSG4Transfer() const { return m_isSG4Transfer; }
    bool isSG4Focus() const { return m_isSG4Focus; }
    bool isSG4Calibrating() const { return m_isSG4Calibrating; }
    bool isCalibrated() const { return m_isCalibrated; }
    bool isSG4Guiding() const { return m_isSG4Guiding; }
    QDateTime allSkyExpDate() const { return m_allSkyExpDate; }
    float allSkyDownloadSec() const { return m_allSkyDownloadSec; }
    // The AllSky schedule's settings as the settings object gave them, seconds.
    float expSchedule() const { return m_expSchedule; }
    float darkSchedule() const { return m_darkSchedule; }
    float heatOnSchedule() const { return m_heatOnSchedule; }
    float heatOffSchedule() const { return m_heatOffSchedule; }
    // The AllSky dark frame.
    bool hasDarkFrame() const { return m_darkFrame.hasDarkFrame(); }
    void forgetDarkFrame() { m_darkFrame.forget(); }
    // A dark frame of the schedule is pending or in progress.
    void setIsExpBlock(bool block) { m_isExpBlock = block; }
    bool isExpBlock() const { return m_isExpBlock; }
    // Continuous exposure: the transfer drops the lone status bytes the camera sends meanwhile.
    void setIsAllSkyConstExp(bool on) { m_isAllSkyConstExp = on; }
    bool isAllSkyConstExp() const { return m_isAllSkyConstExp; }

signals:
    // A new image is in sg4Image() (main thread).
    void imageReady();
    // A download failed or was stopped; sg4Image() is empty.
    void downloadFailed();
    // The device is about to be disconnected; slot 3 is still open (the
    // AllSky schedule and heater stop here).
    void disconnecting();
    // Message 301 came back from the worker.
    void allSkyMovieFrame();

private:
    // What the worker's download is to fetch, fixed as it is posted.
    struct TransferRequest {
        quint8 mode = 0;
        quint8 type = 1;
        quint16 subFrameX = 0;
        quint16 subFrameY = 0;
        quint8 subFrameSize = 0;
        float exposureSeconds = 0.0f;
        QDateTime exposureUtc;
        bool isAllSky = false;
        bool isConstExp = false;
    };

    // Runs `work(line)` on the worker, then `then(result)` on the main
    // thread unless the device was disconnected in between.
    template <typename Work, typename Then>
    bool post(Work work, Then then);
    // A command whose outcome only matters as success.
    bool send(const char* name, char letter, QByteArray data, quint16 replyLength,
              std::function<void(bool)> then = {});
    // Disconnects; with `stopFirst` an exposure is aborted and a transfer
    // stopped, and the line closes once the camera has been told.
    bool endConnection(bool stopFirst);
    // The port scan's outcome, back on the main thread.
    void connectEnded(const SG4Found& found, quint32 scan);
    void showGuider(const SG4GuiderRead& read);
    // The connected device's panel: the SG-4's while it is connected, else the AllSky's.
    SG4DevicePanel* devicePanel() const;
    float exposureFromPanel() const;
    // Beeps when a setting did not reach the device.
    static void beepUnless(bool ok);

    // Exposures (SG4Exposure.cpp).
    // Shows the exposure controls as idle: no exposure, no focus loop.
    void showIdle(SG4DevicePanel* panel);
    void expose();
    void startExposure(bool focus);
    // The outcome of 'T', back on the main thread.
    void exposureStarted(bool ok, bool focus);
    void sg4ExpTimer();
    void sg4TestExp();
    void sg4ExpFocusTimer();
    void sg4FocusTrigger();
    // Main thread: swaps in the new image (none after a failure) and shows the outcome.
    void finishDownload(std::shared_ptr<SG4Image> image, float seconds, bool isAllSky);

    // The guider (SG4Guider.cpp).
    void calibrate();
    void guide();
    void sg4CalibrateTimer();
    // A chunk of the calibration report, back on the main thread.
    void reportRead(const QByteArray& chunk);
    // Drops the input waiting on slot 3 (on the worker).
    void clearInput();
    void closeReport(bool aborted);
    void setSpeed(int itemTag);

    SerialControl& m_serial;
    DebugWriter m_debug;
    SG4Exchange m_line;
    SG4Timing m_timing;
    SG4Worker* m_worker = nullptr;
    SG4GuiderPanel* m_sg4Panel = nullptr;
    SG4DevicePanel* m_allSkyPanel = nullptr;
    std::function<void(long)> m_storeBaud;
    std::function<void()> m_openDatePanel;
    std::function<bool()> m_exposureEnded;

    bool m_isSG4Connect = false;
    bool m_isAllSkyConnect = false;
    bool m_isAllSkySelect = false;
    bool m_isScanForAllSky = false;  // what the scan in progress looks for
    bool m_isConnecting = false;
    bool m_isClosing = false;  // the disconnect's close is queued behind its commands
    quint32 m_scan = 0;     // the scan whose outcome is awaited
    quint32 m_session = 0;  // outcomes of an earlier connection are dropped
    int m_pending = 0;
    quint16 m_sg4Port = 0;
    long m_sg4Baud = 9600;
    QString m_versionStr;
    quint16 m_maxMove = 0;
    quint16 m_minMove = 0;
    quint16 m_sg4XAgressive = SG4Protocol::kAggressiveMost;
    quint16 m_sg4YAgressive = SG4Protocol::kAggressiveMost;
    float m_sg4ExpSec = 0.0f;
    quint8 m_sg4Bin = SG4Protocol::kMode1X1;
    quint8 m_sg4Type = SG4Protocol::kTypeLight;
    quint16 m_sg4SubFrameX = 0;
    quint16 m_sg4SubFrameY = 0;
    quint8 m_sg4SubFrameSize = 0;
    float m_sg4ExpFilter = 0.0f;
    std::shared_ptr<const SG4Image> m_sg4Image;
    QDateTime m_allSkyExpDate;
    float m_allSkyDownloadSec = -1.0f;
    float m_expSchedule = 0.0f;
    float m_darkSchedule = 0.0f;
    float m_heatOnSchedule = 0.0f;
    float m_heatOffSchedule = 0.0f;

    bool m_isSG4Exposing = false;
    bool m_isSG4Focus = false;
    bool m_isExpBlock = false;
    bool m_isAllSkyConstExp = false;
    int m_sg4ExpDoneCount = 0;
    // The worker's side: set while it transfers; the user's stop request.
    std::atomic<bool> m_isSG4Transfer = false;
    std::atomic<bool> m_isSG4TransferAbort = false;
    std::mutex m_requestMutex;
    TransferRequest m_request;
    SG4DarkFrame m_darkFrame;

    bool m_isSG4Calibrating = false;
    bool m_isCalibrated = false;
    bool m_isSG4Guiding = false;
    bool m_calibrationAborted = false;
    int m_sg4CalCount = 0;
    SG4ReportCollector m_report;

    QTimer m_sg4ExpTimer;
    QTimer m_focusTimer;
    QTimer m_calibrateTimer;
};

template <typename Work, typename Then>
bool SG4Control::post(Work work, Then then)
{
    if (m_worker == nullptr)
        return false;
    ++m_pending;
    postWithReply([this](std::function<void()> job) { m_worker->postWork(std::move(job)); }, this,
                  [line = m_line, work = std::move(work)] { return work(line); },
                  [this, then = std::move(then), session = m_session](const auto& result) {
                      // A disconnect forgot what it had posted.
                      if (session != m_session)
                          return;
                      --m_pending;
                      then(result);
                  });
    return true;
}
