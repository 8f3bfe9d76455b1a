#pragma once

#include "mount/MountFamily.h"
#include "mount/families/FamilyInputs.h"
#include "mount/families/MountExchange.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimer>

#include <atomic>
#include <optional>

// Temma II (5): ASCII commands ending in CR LF at 19,200 baud with even
// parity. The mount knows where it points only after a sync against the
// local sidereal time. RA travels as HHMM and hundredths of a minute, Dec
// as sign, DDMM and tenths of an arc minute.
//
// Made on the main thread: the motion byte's resend timer runs there.
class TemmaFamily final : public QObject, public MountFamily {
    Q_OBJECT
public:
    TemmaFamily(const MountContext& context, FamilyInputs inputs);

    bool connect() override;
    bool readPosition() override;
    bool gotoPosition(double ra, double dec) override;
    bool slewDetect() override;
    // Slew (flag bit 0 stops that direction), Sync (flag 1 on the zenith,
    // 0 on the selected star), Command 32..38, GuideRate.
    bool run(const PanelCommand& command) override;

    bool stopTemmaGoto();
    bool isTemmaGoto() const { return m_isGoto; }
    bool isTemmaTrack() const { return m_isTrack; }
    char temmaSide() const { return m_side; }
    quint8 temmaSlew() const { return m_slew; }
    bool isSlewTimerActive() const { return m_slewTimer.isActive(); }

    // The position texts: RA "HHMMtt", Dec "sDDMMt"; none out of range.
    static std::optional<QByteArray> positionText(double ra, double dec);
    struct Position {
        double ra;   // radians
        double dec;  // radians
        char side;
    };
    static std::optional<Position> parsePosition(const QByteArray& reply);
    // The latitude command's text after "I", or none beyond ±90°.
    static std::optional<QByteArray> latitudeText(double degrees);

private:
    bool send(const QByteArray& command, const char* failure);
    QByteArray ask(const QByteArray& command, quint16 expected, const char* failure);
    bool setTemmaLST();
    bool setTemmaSync(bool zenith);
    bool slewTemma(int code, bool stop);
    void runSlewTimer();
    bool commandTemma(int code);
    bool setTemmaRate(bool solar);
    bool setTemmaTrack(bool on);
    bool getTemmaTrack();
    bool switchTemma(bool east);
    bool setTemmaVolts(bool high);
    bool setTemmaGuideRate();
    bool motorOff();

    MountContext m_context;
    FamilyInputs m_inputs;
    MountExchange m_exchange;
    std::atomic<bool> m_isGoto = false;
    std::atomic<bool> m_isTrack = false;
    std::atomic<bool> m_isSlewFast = false;
    std::atomic<quint8> m_slew = 0x40;
    std::atomic<char> m_side = 0;
    int m_syncCount = 0;
    // When the running goto should have arrived, for firmwares that never
    // answer the slew query.
    QDateTime m_gotoDue;
    QTimer m_slewTimer;
};
