#pragma once

#include <QString>

// The mount controller as the hand-control panels reach it: the state they
// check, the command entry of each family (posted to the worker) and the
// few protocol operations that keys and direct stops run at once.
// Direction codes: 1-4, 5 stops all.
class PanelMount {
public:
    virtual ~PanelMount() = default;
    virtual bool isConnected() const = 0;
    virtual bool isSlewing() const = 0;
    virtual bool isTemmaSync() const = 0;
    virtual int scopeProtocol() const = 0;

    virtual void lx200Command(int code) = 0;
    virtual void temmaCommand(int code) = 0;
    virtual void nexStarCommand(int code) = 0;
    virtual void geminiCommand(int code) = 0;
    virtual void iOptronCommand(int code) = 0;
    virtual void iEQ45Command(int code) = 0;

    // On the calling thread; `stop` ends that one direction.
    virtual void slewNexStar(int code, bool stop) = 0;
    virtual void slewTemma(int code, bool stop) = 0;
    virtual void slewLX200(int code) = 0;
    virtual void slewStopLX200(int code) = 0;
    virtual void slewIOptron(int code) = 0;
    virtual void slewIEQ45(int code) = 0;

    // NexStar speed 0 (fastest) .. 3 and tracking mode 0..3.
    virtual void setNexStarSlewSpeed(int speed) = 0;
    virtual void setNexStarTrackMode(int mode) = 0;
    virtual void syncNexStar() = 0;
    virtual void resetSynScanSync() = 0;

    virtual void writeDebugFile(const QString& line) = 0;
};
