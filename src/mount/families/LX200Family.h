#pragma once

#include "mount/MountFamily.h"
#include "mount/ReplyCycles.h"
#include "mount/families/MountExchange.h"

#include <QByteArray>
#include <QTimer>

#include <atomic>
#include <memory>

// The LX200 command set: LX200 (1), LX200 GPS (2), AstroPhysics (3), Meade
// Basic (8), and the part Gemini (7) shares. Commands are ASCII `:…#`; the
// replies that have a `#` or a known length are read until complete.
//
// Its parts: exchanges, handshakes, poll, goto and slew detection
// (LX200Family.cpp); slews, speeds, focus, panel commands, baud rate and
// guide pulses (LX200Commands.cpp); date, time and site (LX200Site.cpp).
class LX200Family : public MountFamily {
public:
    LX200Family(int protocol, const MountContext& context);
    ~LX200Family() override;

    bool connect() override;
    bool readPosition() override;
    bool gotoPosition(double ra, double dec) override;
    bool slewDetect() override;
    bool run(const PanelCommand& command) override;

    bool lxLongFormat() const { return m_longFormat; }
    // A long guide pulse's resend, as its timer calls it; and the timer's
    // interval in milliseconds, 0 while none is pending.
    void pgCalRepeatTimer(bool eastWest);
    int pulseRepeatInterval(bool eastWest) const;

protected:
    struct Reply {
        bool ok;
        qint32 count;      // bytes read, or the transaction's failure
        QByteArray bytes;  // what was read
        // The first byte that is not a blank; 0 when none.
        char firstNonBlank() const;
    };
    // One exchange on slot 1. An LX200 GPS that answers NAK while busy is
    // asked again, up to three times 100 ms apart, unless `retryBusy` is off.
    Reply ask(const QByteArray& command, quint16 expected, const ReplyEnd& end,
              bool retryBusy = true);
    // A write-only command; false when it could not be written.
    bool send(const QByteArray& command);
    void pause(int ticks) const;
    QDateTime now() const;
    // Sets the no-response mark, beeps and writes `line`.
    void fail(const char* line, bool beep = true);
    char separator() const;

    bool slewLX200(int code);
    bool slewSpeedLX200(int code);
    bool commandLX200(int code);
    bool getLX200Site();

    const int m_protocol;
    MountContext m_context;
    MountExchange m_exchange;
    std::atomic<bool> m_longFormat = false;
    std::atomic<bool> m_isPolar = false;

private:
    bool connectLX200();
    bool connectAP();
    bool slewStopLX200(int code);
    bool focusLX200(int code);
    bool focusSpeedLX200(int code);
    bool setLX200BuadRate(int tag);
    bool pulseGuideLX200(bool eastWest, int milliseconds);
    bool setLX200Date();
    bool setAPDate();
    bool setLX200Site();
    bool gotoPoleOrZenith();
    // Ends a direction slew after the panel's fixed pulse, when one is set.
    bool fixedPulse();

    struct PulseAxis {
        std::unique_ptr<QTimer> timer;
        int repeat = 0;
        bool positive = false;
        int duration = 0;
    };
    QByteArray pulseCommand(bool eastWest, bool positive, int duration) const;
    PulseAxis m_ew;
    PulseAxis m_ns;
    std::atomic<bool> m_isKillRepeat = false;
};
