#pragma once

#include "mount/PanelCommand.h"
#include "mount/ScopeThread.h"
#include "mount/links/FinderTrack.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class PrefControl;
class SerialControl;
class DebugWriter;
class SkyDateModel;
struct ScopeStatus;

// What the main thread shows on a mount's panel. The last five carry a
// state rather than a code: the SynScan sync button (1 on), the NexStar mode
// matrix (0 Off .. 3 EQ S), the Temma side (1 east) and track (1 tracking)
// radios, and the Temma title's count of syncs since launch.
enum class MountPanelSetting {
    SlewSpeed,
    Mode,
    GuideSpeed,
    CenterSpeed,
    MaxSlewSpeed,
    Baud,
    SynScanSync,
    NexStarMode,
    TemmaSide,
    TemmaTrack,
    TemmaSynced,
};

// What a protocol operation may ask of the main thread. Operations run on
// the worker as well as on the main thread, so they never touch windows or
// settings themselves: they emit these, and the mount controller answers on
// the main thread.
class MountEvents : public QObject {
    Q_OBJECT
signals:
    void alertRequested(const QString& title, const QString& message);
    void beepRequested();
    // The chart shows something the mount changed (a sync's offsets).
    void redrawRequested();
    // The mount's site was read (degrees, east positive); `siteName` names
    // the stored site it goes to.
    void siteRead(double latitude, double longitude, const QString& siteName);
    // The mount parked and the connection ends.
    void parked();
    // The LX200 panel's locked slew buttons go off after a fixed pulse.
    void slewButtonsOff();
    // A setting read from or written to the mount, for its panel.
    void panelSetting(MountPanelSetting setting, int code);
    // A command of the family's own panel (message `messageId`, `code`)
    // for the worker, asked from the main thread's timers: the exchange
    // never runs where the timer does.
    void commandRequested(int messageId, int code);

public:
    // The alert of a goto refused while the mount still slews.
    void gotoRefusedWhileSlewing() { emit alertRequested("Scope is slewing.", "GoTo command failed."); }
};

// What a protocol family works with: the transport's slot 1 (each exchange
// holds the slot's lock and uses its own buffers), the shared state it
// updates (position, slewing, no-response), the debug log and the events;
// and, read only, the settings (site, names), the sky date (sidereal time),
// the finder's tracked position, its pauses and its clock.
struct MountContext {
    SerialControl& serial;
    ScopeStatus& status;
    const DebugWriter& debug;
    MountEvents& events;
    const PrefControl* prefs = nullptr;
    const SkyDateModel* skyDate = nullptr;
    std::function<FinderTrack()> finderTrack = {};  // safe on any thread
    ScopeThreadTiming timing = {};
    std::function<QDateTime()> now = {};   // the program's clock when unset
    // Asked before each exchange: true when the operation must drop its
    // remaining exchanges for a stop (MountExchange).
    std::function<bool()> betweenExchanges = {};
};

// One mount protocol family (LX200 and its relatives, NexStar, Temma II,
// iOptron, Sky Commander): it builds its commands and parses its replies.
// The controller and the worker reach every family through this.
class MountFamily {
public:
    virtual ~MountFamily() = default;
    // The handshake on an open slot 1; true when the mount answered.
    virtual bool connect() = 0;
    // Reads the position into the shared state; true on success.
    virtual bool readPosition() = 0;
    // Sends a goto (radians of date); true when the mount accepted it.
    virtual bool gotoPosition(double ra, double dec) = 0;
    // Asks whether the mount still slews and updates the shared state.
    virtual bool slewDetect() = 0;
    // One hand-control or generic-slew operation; true on success. An
    // operation the family lacks does nothing and gives false.
    virtual bool run(const PanelCommand& command) = 0;
};
