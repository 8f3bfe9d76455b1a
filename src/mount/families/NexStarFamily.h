#pragma once

#include "mount/MountFamily.h"
#include "mount/ScopeStatus.h"
#include "mount/families/FamilyInputs.h"
#include "mount/families/MountExchange.h"

#include <QByteArray>

#include <optional>

// NexStar GPS (4), Ultima (6) and SynScan (12): single-letter commands with
// positions as 16-bit fractions of a turn in hexadecimal. Ultima's commands
// end in CR. SynScan keeps its sync as offsets here, and its hand controller
// works on the J2000 equator.
class NexStarFamily final : public MountFamily {
public:
    NexStarFamily(int protocol, const MountContext& context, FamilyInputs inputs);

    bool connect() override;
    bool readPosition() override;
    bool gotoPosition(double ra, double dec) override;
    bool slewDetect() override;
    // Slew (flag bit 0 stops, bit 1 Option held), SlewSpeed 0..3, Mode 0..3
    // (tracking), Sync (flag 1 syncs on the tracked object, 0 clears SynScan's offsets).
    bool run(const PanelCommand& command) override;

    int nexStarTrackMode() const { return m_trackMode; }
    double synScanRAError() const { return m_context.status.synScanRAError; }
    double synScanDecError() const { return m_context.status.synScanDecError; }

    // Degrees as the mount's four hex digits; none for a reply that is not.
    static QByteArray positionDigits(double radians);
    struct Position {
        double ra;   // radians
        double dec;  // radians
    };
    static std::optional<Position> parsePosition(const QByteArray& reply);

private:
    bool isUltima() const;
    bool isSynScan() const;
    QByteArray command(QByteArray body) const;
    bool noResponse(const char* line);
    bool slewNexStar(int direction, bool stop, bool option);
    bool passThrough(char motor, char direction, char rate);
    bool trackModeNexStar(int mode);
    bool getTrackModeNexStarOnly();
    void getTrackModeNexStar();
    bool syncNexStar();
    void resetSynScanSync(const char* line);
    void setOffsetsKept(bool kept);

    int m_protocol;
    MountContext m_context;
    FamilyInputs m_inputs;
    MountExchange m_exchange;
    int m_slewSpeed = 0;
    int m_trackMode = 2;
    // The polled position (radians of date), the previous SynScan goto
    // target; the SynScan offsets are kept in the shared state.
    double m_gotoRA = -1.0;
    double m_gotoDec = 0.0;
    double m_prevRA = 0.0;
    double m_prevDec = 0.0;
};
