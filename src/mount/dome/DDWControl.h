#pragma once

#include "model/settings/links/DDWDevice.h"
#include "mount/DebugWriter.h"
#include "mount/ScopeThread.h"
#include "mount/SerialSlots.h"
#include "mount/dome/DDWExchange.h"
#include "mount/dome/DDWStatus.h"
#include "mount/dome/DomeGeometry.h"
#include "mount/links/ConnectMenuLinks.h"
#include "mount/links/DomeJobs.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class DDWView;
class DomeMount;
class SerialControl;
class SkyRedraw;

// The Digital Dome Works controller on serial slot 5: four-character
// commands, its status record polled every 5 s, and dome slaving by a
// go-to azimuth sent whenever the dome falls `ddwDelta` behind the
// telescope. Every exchange (the connect's port scan, the status poll, the
// commands, the tracking tick) is posted to the port's worker, in order,
// and its status record comes back to the main thread, where the panel and
// the follow logic take it. A command returns once posted: false only when
// it is refused before sending.
class DDWControl : public QObject,
                   public DDWDevice,
                   public MenuDevice,
                   public DomeFollower {
    Q_OBJECT
public:
    DDWControl(SerialControl& serial, DomeMount& mount, DebugWriter debug,
               ScopeThreadTiming timing = {}, QObject* parent = nullptr);
    ~DDWControl() override;

    void setView(DDWView* view) { m_view = view; }
    void setSkyView(SkyRedraw* sky) { m_sky = sky; }

    // Starts the port scan on the worker (false when it cannot start);
    // the view learns how it ended. Disconnects a connected controller.
    bool ddwConnect();
    bool ddwDisconnect() override;
    bool ddwGetV();
    bool ddwGetInfo();
    bool ddwSlaveOn(bool on);
    // Degrees 0..359; anything else is refused, as is any rotation while the DSR is open.
    bool ddwGOTOAz(int azimuth);
    bool ddwGoHome();
    bool ddwTrain();
    bool ddwShutter(bool open);
    bool ddwAllStop();
    bool ddwRotateWest(bool on);
    bool ddwRotateEast(bool on);
    bool ddwSetPins();
    bool calcDDWAzimuth();
    void ddwTrack(bool on);
    void ddwFireTrackTimer();
    // The 5 s status poll (its exchange on the worker) and the tracking tick.
    void ddwUpdateTimer();
    void ddwFreqTimer();

    void setDDWSetup(double x, double y, double z, double bigR, double smallR, double flip,
                     float delta, float frequency) override;
    void setDDWIsTracking(bool on) { m_isDDWTracking = on; }
    void setDDWPinState(quint8 pins) { m_ddwPinState = pins & 0x0F; }
    // Exchanges posted whose answer has not come back yet.
    int pendingExchanges() const { return m_pendingExchanges; }

    double ddwX() const override { return m_geometry.x; }
    double ddwY() const override { return m_geometry.y; }
    double ddwZ() const override { return m_geometry.z; }
    double ddwR() const override { return m_geometry.bigR; }
    double ddwr() const override { return m_geometry.smallR; }
    double ddwF() const override { return m_geometry.flip; }
    float ddwDelta() const override { return m_ddwDelta; }
    float ddwFrequency() const override { return m_ddwFrequency; }
    float ddwSkyAzimuth() const { return m_ddwSkyAzimuth; }
    float ddwTargetAz() const { return m_ddwTargetAz; }
    const DDWStatus& status() const { return m_status; }
    quint8 ddwPinState() const { return m_ddwPinState; }
    bool isDDWTracking() const { return m_isDDWTracking; }
    bool isDDWConnect() const override { return m_isDDWConnect; }
    bool isDDWConnecting() const { return m_isConnecting; }
    quint16 ddwPort() const { return m_ddwPort; }
    float ddwAzimuth() const { return m_ddwAzimuth; }
    quint16 ddwDomeAz() const { return rounded(m_ddwAzimuth); }
    quint16 ddwScopeAz() const { return rounded(m_scopeAzimuth); }

    // MenuDevice: connecting starts the port scan.
    bool isConnected() const override { return m_isDDWConnect; }
    bool connectDevice() override { return !m_isDDWConnect && ddwConnect(); }
    void disconnectDevice() override { ddwDisconnect(); }
    // Why the last connect did not start; a blank when the listing found a port.
    QString connectFailure() const override { return m_connectFailure; }
    // DomeFollower, asked by the worker after a goto.
    bool isTracking() const override { return m_isDDWTracking; }
    void followMount() override { ddwFireTrackTimer(); }

private:
    static quint16 rounded(float value) { return quint16(value + 0.5f); }
    using Work = std::function<std::optional<DDWStatus>(const DDWExchange&)>;

    // The port scan's outcome, back on the main thread.
    void connectEnded(const DDWFound& found, quint32 scan);
    void showVersion(const DDWStatus& status);
    // Runs `work` on the worker unless the connection it was asked in has
    // ended by then; its status record, if any, reaches the panel on the
    // main thread, then `then` learns whether one came.
    void post(Work work, std::function<void(bool)> then = {});
    // The disconnect's all-stop for a hand rotation the controller may still
    // run, then the close, on the worker.
    void stopThenClose();
    // A motion command, then the record the controller streams after it.
    void sendMotion(const QByteArray& command, quint16 expected, int pauseTicks = 0);
    // Sends the dome its goal once the tick's record shows it fell behind.
    void followTarget();
    void applyStatus(const DDWStatus& status);
    bool rotate(char direction, bool on);
    bool isDSROpen() const { return m_status.DSRStatus == kDDWDSROpen; }

    SerialControl& m_serial;
    DomeMount& m_mount;
    DebugWriter m_debug;
    DDWExchange m_line;
    DDWView* m_view = nullptr;
    SkyRedraw* m_sky = nullptr;

    QTimer m_ddwTrackTimer;
    QTimer m_ddwUpdateTimer;
    bool m_isDDWConnect = false;
    int m_pendingExchanges = 0;
    bool m_isConnecting = false;  // the port scan is on the worker
    QString m_connectFailure = QStringLiteral(" ");
    // The scan whose outcome is awaited. Changed by each connect and
    // disconnect, it also tells the worker an exchange of an ended connection.
    std::shared_ptr<std::atomic<quint32>> m_scan = std::make_shared<std::atomic<quint32>>(0);
    // A hand rotation was started and not stopped since: the controller
    // turns the dome until told otherwise.
    bool m_mayBeMoving = false;
    bool m_isDDWTracking = false;
    quint8 m_ddwPinState = 0;
    quint16 m_ddwPort = 0;
    DDWStatus m_status;
    float m_ddwAzimuth = -1.0f;
    float m_scopeAzimuth = -1.0f;
    float m_ddwTargetAz = 0.0f;
    DomeGeometry m_geometry;
    float m_ddwFrequency = 60.0f;
    float m_ddwDelta = 5.0f;
    float m_ddwSkyAzimuth = 0.0f;
};
