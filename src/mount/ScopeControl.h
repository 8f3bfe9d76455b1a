#pragma once

#include "model/settings/links/MountDevice.h"
#include "mount/DebugWriter.h"
#include "mount/MountFamily.h"
#include "mount/MountGoto.h"
#include "mount/MountState.h"
#include "mount/PortWorkers.h"
#include "mount/ScopeMessage.h"
#include "mount/ScopeStatus.h"
#include "mount/ScopeThread.h"
#include "mount/SlotExchange.h"
#include "mount/links/BridgeMount.h"
#include "mount/links/PanelMount.h"
#include "mount/links/ScopeLinks.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class PrefControl;
class SerialControl;
class SkyDateModel;

// The mount controller: connects a configured telescope through its
// protocol family, runs the poll tick, turns gotos and hand-control codes
// into messages for the worker, offers protocol-independent slews and owns
// the mount's shared state.
//
// Its parts: connecting and disconnecting (ScopeConnect.cpp), the tick,
// messages and accessors (ScopeControl.cpp) and the generic slews
// (GenericSlews.cpp).
class ScopeControl : public QObject, public MountState, public MountGoto, public MountDevice, public BridgeMount,
                     public PanelMount {
    Q_OBJECT
public:
    ScopeControl(PrefControl& prefControl, const SkyDateModel& skyDateModel,
                 SerialControl& serialControl, DebugWriter debug, ScopeThreadTiming timing = {},
                 QObject* parent = nullptr);
    ~ScopeControl() override;

    // One setter per link, so that a part joining later never drops one
    // joined before; null while the program has no such part.
    void setScopeView(ScopeViewLink* view) { m_links.scopeView = view; }
    void setSkyView(SkyRedraw* sky) { m_links.skyView = sky; }
    void setHandPanels(HandControlPanels* panels) { m_links.panels = panels; }
    void setWebcamGuide(AutoguiderLink* guide) { m_links.webcamGuide = guide; }
    void setCompanion(CompanionLink* companion) { m_links.companion = companion; }
    void setSG4(SG4Jobs* sg4);
    void setPrefWindow(SiteHandOver* window) { m_links.prefWindow = window; }
    void setFamilies(MountFamilyFactory families) { m_links.families = std::move(families); }
    // The finder's selection is copied for the worker as each command is sent.
    void setFinderTrack(std::function<FinderTrack()> finderTrack) { m_links.finderTrack = std::move(finderTrack); }
    void setModifiers(std::function<Qt::KeyboardModifiers()> modifiers) { m_links.modifiers = std::move(modifiers); }
    ScopeThread& scopeThread() { return m_thread; }
    // The other devices' ports' workers, apart from the mount's.
    PortWorkers& portWorkers() { return m_ports; }
    MountEvents& events() { return m_events; }

    // Starts connecting telescope slot 0..4 on the worker; false when it
    // cannot start (no port, no such protocol, connected or connecting).
    // connectFinished tells the outcome; a mount that did not answer is
    // alerted.
    bool scopeConnect(int slot);
    bool isConnecting() const { return m_isConnecting; }
    // Polls that fail in a row before the mount counts as lost.
    static constexpr int kLostAfterFailedPolls = 2;
    void disconnect() override;
    void disconnectScope() override { disconnect(); }

    // The 1 s tick; polls every `timerRate` seconds.
    void runScopeTimer();
    void setTimerRate(float seconds) override;
    float timerRate() const { return m_timerRate; }
    // True when a command may be posted now.
    bool checkSerialCom() const;

    // Radians of date; dropped without a worker.
    void gotoRA(double ra, double dec) override;
    void lx200Command(int code) override { postCommand(kScopeMsgLX200Command, code); }
    void temmaCommand(int code) override;
    void nexStarCommand(int code) override { postCommand(kScopeMsgNexStarCommand, code); }
    void geminiCommand(int code) override { postCommand(kScopeMsgGeminiCommand, code); }
    void iOptronCommand(int code) override { postCommand(kScopeMsgIOptronCommand, code); }
    void iEQ45Command(int code) override { postCommand(kScopeMsgIEQ45Command, code); }

    // The panels' keys and direct stops, posted to the worker, a stop ahead
    // of waiting polls (PanelSlews.cpp).
    void slewNexStar(int code, bool stop) override;
    void slewTemma(int code, bool stop) override;
    void slewLX200(int code) override;
    void slewStopLX200(int code) override;
    void slewIOptron(int code) override;
    void slewIEQ45(int code) override;
    void setNexStarSlewSpeed(int speed) override;
    void setNexStarTrackMode(int mode) override;
    void syncNexStar() override;
    void resetSynScanSync() override;
    void writeDebugFile(const QString& line) override { m_debug(line); }
    const DebugWriter& debugWriter() const { return m_debug; }
    const ScopeThreadTiming& timing() const { return m_timing; }

    // Reads the mount's position through the worker, as a poll does, and
    // answers on this thread: true once a poll begun after the ask has read
    // `scopeRA`/`scopeDec`, false when none did within `wait`. Only one
    // read waits at a time.
    void readScopePosition(std::function<void(bool)> done,
                           std::chrono::milliseconds wait = std::chrono::seconds(5));
    bool genericSlewDetect();

    // Slews by direction code 1 north, 2 south, 3 east, 4 west, posted to
    // the worker; false when the mount has no such slew.
    bool genericSlew(int direction);
    bool genericSlewStop(int direction);
    // 1 slowest .. 4 fastest.
    void setGenericSlewRate(int rate);
    // A timed guide pulse (LX200 GPS only), posted to the worker, signed
    // milliseconds: east or north when positive.
    bool pulseGuideLX200(bool eastWest, int milliseconds);

    // Ticks of the panel fade, every 0.05 s.
    void setScopeAlphaDelay();

    // The worker and its port. The worker stops once no mount is connected
    // or connecting: the other devices have their ports' workers.
    void launchThread();
    void releaseThread();
    void killScopePort();
    void handlePortMessage(int id);
    bool hasScopePort() const { return m_hasScopePort; }

    // MountState and accessors.
    bool isConnected() const override { return m_status.isConnected; }
    bool isSlewing() const override { return m_status.isSlewing; }
    void setIsSlewing(bool slewing) { m_status.isSlewing = slewing; }
    bool isBlockPolling() const override { return m_status.isBlockPolling; }
    void setIsBlockPolling(bool blocked) { m_status.isBlockPolling = blocked; }
    void stopSlewing() override;
    int scopeIndex() const { return m_scopeIndex; }
    int scopeProtocol() const override { return m_status.scopeProtocol; }
    bool isTemmaSync() const override { return m_status.isTemmaSync; }
    bool isNoResponse() const { return m_status.isNoResponse; }
    bool isThreadUpdate() const { return m_status.isThreadUpdate; }
    void setIsThreadUpdate(bool update) { m_status.isThreadUpdate = update; }
    quint16 selectPort() const { return m_selectPort; }
    void setSelectPort(quint16 port) { m_selectPort = port; }
    bool isPolling() const { return m_status.isPolling; }
    bool isSerialCmd() const { return m_status.isSerialCmd; }
    void resetSerialBlocks() { m_status.resetSerialBlocks(); }
    bool isGeminiLevel4() const { return m_status.isGeminiLevel4; }
    void setGeminiBaud(int tag) override;
    // The Gemini panel's baud choice: any other tag means 9600; stored in the settings.
    void setGeminiBaudChoice(int tag);
    long geminiBaud() const { return m_geminiBaud; }
    double gotoRA() const { return m_gotoRA; }
    double gotoDec() const { return m_gotoDec; }
    void setGotoRA(double ra, double dec);
    // SynScan's software-sync offsets, radians (0 after a reset).
    double synScanRAError() const { return m_status.synScanRAError; }
    double synScanDecError() const { return m_status.synScanDecError; }
    // The mount's position in degrees; azimuth and altitude for the sky date.
    double scopeRA() const;
    double scopeDec() const;
    double scopeAz() const;
    double scopeAlt() const;
    struct AzAlt {
        double az;   // radians
        double alt;  // radians
    };
    // True once the connected mount's position has been read.
    bool hasPosition() const { return m_status.isConnected && m_status.scopeRA >= 0.0; }
    // The polled position's azimuth and altitude now, on a copy of the sky
    // date: the date the user set stays.
    AzAlt scopeAzAlt() const;
    ScopeStatus& status() { return m_status; }

signals:
    void connectFinished(bool connected);
    // The mount stopped answering and was disconnected.
    void connectionLost();

private:
    // The connected telescope's name, as the settings list it.
    QString currentScopeName() const;
    void sampleFinderTrack();
    // A site with a location: the start-up site of a fresh installation has none.
    bool isSiteDefined() const;
    // Copies the connected mount's panel state (lock, fixed pulse, guide
    // rate) for the families, which read it on the worker.
    void samplePanelState();
    // Samples what the families read from the main thread's parts.
    void sampleInputs();
    void postCommand(int id, qint32 code);
    // Tries the chosen port (1-based) only, or with none chosen each of
    // `ports`, on the worker.
    SlotExchange::PortSearch tryPorts(MountFamily& family, quint16 chosen, quint16 ports, long baud,
                                      bool evenParity);
    // Why a connect failed, shown under the telescope's name; and whether a
    // mount was asked and did not answer, rather than no port being free.
    struct ConnectFailure {
        QString reason;
        bool unanswered = false;
    };
    static ConnectFailure searchFailure(const SlotExchange::PortSearch& found);
    void finishConnect(std::shared_ptr<MountFamily> family, bool answered, bool positionRead,
                       const QString& name, const ConnectFailure& failure);
    void connectFailed(const QString& name, const ConnectFailure& failure);
    void connected(const QString& name, bool positionRead);
    // Disconnects; a parked mount keeps its line speed.
    void endConnection(bool resetBaud);
    void siteRead(double latitude, double longitude, const QString& siteName);
    void positionUpdate();
    void pollFailed();
    // Ends a connection whose mount no longer answers, telling the user once.
    void lostContact();
    // Posts one operation of the connected family to the worker, a stop
    // ahead of waiting polls; false without a mount.
    bool runNow(const PanelCommand& command);
    AzAlt azAltOf(double ra, double dec, const SkyDateModel& date) const;

    PrefControl& m_prefs;
    const SkyDateModel& m_skyDate;
    SerialControl& m_serial;
    DebugWriter m_debug;
    ScopeThreadTiming m_timing;
    ScopeLinks m_links;
    ScopeStatus m_status;
    FinderTrackSnapshot m_finderTrack;
    MountEvents m_events;
    ScopeThread m_thread;
    PortWorkers m_ports;
    std::shared_ptr<MountFamily> m_family;

    bool m_hasScopePort = false;
    bool m_isConnecting = false;
    QTimer m_scopeTimer;
    QTimer m_fadeTimer;
    QTimer m_readTimer;
    std::function<void(bool)> m_positionRead;
    // The polls begun before the read was asked: none of them answers it.
    unsigned m_readAfterPoll = 0;
    float m_timerRate = 5.0f;
    float m_rateCount = 0.0f;
    int m_failedPolls = 0;
    // The real-time clock was off until this connection turned it on.
    bool m_realTimeByConnect = false;
    int m_scopeIndex = -1;
    long m_geminiBaud = 9600;
    quint16 m_selectPort = 0;
    quint16 m_fadeCount = 0;
    double m_scopeRAOld = 0.0;
    double m_scopeDecOld = 0.0;
    double m_gotoRA = -1.0;
    double m_gotoDec = 0.0;
};
