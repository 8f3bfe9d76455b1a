#pragma once

#include "DeviceSimulator.h"

#include <QByteArray>
#include <QList>

#include <termios.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <random>
#include <thread>

// The SG-4 guider / AllSky camera for DeviceSimulator: its command set with
// checksums, exposures that send a progress byte 'E' every 100-160 ms and
// end with a lone 'D' after their time (inside the 'T' reply when short),
// block transfers of synthetic images answered 'K',
// 'R' or 'S', the speed change, and a calibration report. It answers only at
// its own speed, read from the line through `lineSpeed` (a pty keeps none).
class SG4Simulator {
public:
    // A pixel's value by its index in the image and the image type (0 dark, 1 light).
    using Pixels = std::function<quint16(int index, quint8 type)>;

    SG4Simulator(DeviceSimulator& device, std::function<speed_t()> lineSpeed);
    ~SG4Simulator();
    SG4Simulator(const SG4Simulator&) = delete;
    SG4Simulator& operator=(const SG4Simulator&) = delete;

    void setSpeed(long baud);
    long speed() const;
    void setVersion(quint8 major, quint8 minor);
    void setGuider(quint16 maxMove, quint16 minMove, quint8 xAggressive, quint8 yAggressive);
    void setPixels(Pixels pixels);
    // Exposures up to this long carry their 'D' in the 'T' reply.
    void setShortExposure(std::chrono::milliseconds longest);
    // What 'H' sends after its echo, in pieces of `piece` bytes `gap` apart.
    void setCalibrationReport(QByteArray report, qsizetype piece, std::chrono::milliseconds gap);

    // The gap between progress bytes while exposing, drawn from [least, most]
    // (seeded, repeatable); most 0 sends none.
    void setProgressBytes(std::chrono::milliseconds least, std::chrono::milliseconds most);

    // Faults, at any moment.
    // Each block's checksum is wrong with this probability (seeded, repeatable).
    void corruptAtRate(double rate, unsigned seed = 1);
    // The next `count` blocks sent have a wrong checksum.
    void corruptNext(int count);
    // Block `index` of each transfer comes only after `delay`.
    void delayBlock(int index, std::chrono::milliseconds delay);
    // Takes commands and answers nothing.
    void setSilent(bool silent);
    // A lone 'E' goes ahead of each block.
    void setStrayBytes(bool stray);
    // Exposures never report their end.
    void setNeverDone(bool never);
    // The speed change's "Test" gets no answer, or an answer without "Ok".
    enum class SpeedTest { Answer, Silent, Wrong };
    void setSpeedTest(SpeedTest answer);
    // Bytes the camera sends after its answer to "Test" (a line end).
    void setSpeedTestTail(QByteArray tail);
    // Blocks go out at the line's own rate (10 bits a byte at the device's speed).
    void setPacing(bool paced);

    // What it saw.
    QList<QByteArray> commands() const;
    QByteArray acks() const;
    int blocksSent() const;
    int transfersDone() const;
    quint8 relays() const;
    quint32 lastExposureUnits() const;
    bool isGuiding() const;
    bool isExposing() const;
    int progressBytesSent() const;
    // 'A' commands that came while an exposure ran.
    int abortsWhileExposing() const;
    // When the last 'T' was taken, and when its exposure ended.
    std::chrono::steady_clock::time_point exposureTakenAt() const;
    std::chrono::steady_clock::time_point exposureEndedAt() const;

private:
    enum class State { Commands, AwaitTest, AwaitConfirm, Transfer };

    DeviceSimulator::Response answer(const QByteArray& pending);
    DeviceSimulator::Response command(const QByteArray& pending);
    DeviceSimulator::Response transferAck(char ack);
    std::vector<DeviceSimulator::ReplyPart> block(int index);
    QByteArray reply(const QByteArray& command);
    void exposureClock();
    std::chrono::milliseconds nextProgressGap();
    bool atOwnSpeed() const;

    DeviceSimulator& m_device;
    std::function<speed_t()> m_lineSpeed;
    mutable std::mutex m_mutex;
    long m_speed = 9600;
    quint8 m_versionMajor = 2;
    quint8 m_versionMinor = 5;
    quint16 m_maxMove = 0;
    quint16 m_minMove = 0;
    quint8 m_xAggressive = 255;
    quint8 m_yAggressive = 255;
    Pixels m_pixels;
    std::chrono::milliseconds m_shortExposure{100};
    QByteArray m_report;
    qsizetype m_reportPiece = 512;
    std::chrono::milliseconds m_reportGap{20};

    double m_corruptRate = 0.0;
    std::mt19937 m_random{1};
    int m_corruptNext = 0;
    int m_slowBlock = -1;
    std::chrono::milliseconds m_slowDelay{0};
    bool m_silent = false;
    bool m_stray = false;
    bool m_neverDone = false;
    SpeedTest m_speedTest = SpeedTest::Answer;
    QByteArray m_speedTestTail;
    bool m_paced = false;

    State m_state = State::Commands;
    quint8 m_mode = 0;
    quint8 m_type = 1;
    quint8 m_subFrameSide = 0;
    quint8 m_relays = 0;
    quint32 m_exposureUnits = 0;
    bool m_guiding = false;
    bool m_calibrating = false;
    int m_block = 0;
    int m_blocks = 0;
    int m_blockBytes = 0;
    int m_blocksSent = 0;
    int m_transfersDone = 0;
    QByteArray m_image;   // the transfer's bytes, low byte first
    QList<QByteArray> m_commands;
    QByteArray m_acks;

    // The exposure clock: sends 'D' when an exposure's time is up.
    std::thread m_clock;
    std::condition_variable m_clockWake;
    bool m_clockQuit = false;
    bool m_exposing = false;
    std::chrono::steady_clock::time_point m_exposureEnd;
    std::chrono::steady_clock::time_point m_exposureTaken;
    std::chrono::steady_clock::time_point m_exposureEnded;
    std::chrono::steady_clock::time_point m_nextProgress;
    std::chrono::milliseconds m_progressLeast{100};
    std::chrono::milliseconds m_progressMost{160};
    std::mt19937 m_progressRandom{7};
    int m_progressSent = 0;
    int m_abortsWhileExposing = 0;
};
