#pragma once

#include "mount/PanelCommand.h"

#include <QObject>
#include <QString>

class SerialControl;
class DebugWriter;
struct ScopeStatus;

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
    // A hand-control panel shows a new state: `item` (a kPanelItem) and its value.
    void panelUpdated(int item, int value);
};

// What a protocol family works with: the transport's slot 1 (each exchange
// holds the slot's lock and uses its own buffers), the shared state it
// updates (position, slewing, no-response), the debug log and the events.
struct MountContext {
    SerialControl& serial;
    ScopeStatus& status;
    const DebugWriter& debug;
    MountEvents& events;
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
