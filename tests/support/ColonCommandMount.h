#pragma once

#include "DeviceSimulator.h"

#include <QByteArray>

#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

// A simulated mount of the `:…#` kind on the device harness. The engine
// splits the input into frames (`:…#`, native `<…#` and `>…#` frames and a
// lone ACK), keeps the sky (where the mount points, a goto that moves it
// over a few seconds, the site, date and time it was given) and hands each
// frame to its personality, which answers as one kind of mount does. New
// kinds of mount are new personalities.
class ColonCommandMount {
public:
    using Clock = std::chrono::steady_clock;
    using Duration = DeviceSimulator::Duration;
    using Reply = std::vector<DeviceSimulator::ReplyPart>;

    // Where the mount points and what it was told; hours and degrees.
    struct Sky {
        double ra = 2.0;
        double dec = 10.0;
        double targetRA = 0.0;
        double targetDec = 0.0;
        double latitude = 0.0;
        double westLongitude = 0.0;   // 0..360 westward
        bool parked = false;
        QByteArray date;              // as received
        QByteArray time;
    };

    class Personality {
    public:
        virtual ~Personality() = default;
        // The reply to one whole frame (`:` or `<`/`>` through `#`, or the
        // ACK byte); empty for none.
        virtual Reply answer(const QByteArray& frame, ColonCommandMount& mount) = 0;
    };

    explicit ColonCommandMount(std::unique_ptr<Personality> personality);

    // Makes `device` answer as this mount; set before it starts.
    void attach(DeviceSimulator& device);

    // The sky now, a goto in progress moved along.
    Sky sky();
    void setSky(const Sky& sky);
    // Starts a goto to the target; it takes `slewTime`.
    void startGoto();
    bool isSlewing();
    void setSlewTime(Duration time) { m_slewTime = time; }
    // Frames taken whole, in order; and the native frames whose checksum was wrong.
    std::vector<QByteArray> frames() const;
    int badFrames();
    void countBadFrame();

private:
    DeviceSimulator::Response respond(const QByteArray& pending);
    void advance();

    std::unique_ptr<Personality> m_personality;
    std::mutex m_mutex;
    Sky m_sky;
    double m_fromRA = 0.0;
    double m_fromDec = 0.0;
    Clock::time_point m_slewStart;
    bool m_slewing = false;
    Duration m_slewTime{2000};
    DeviceSimulator* m_device = nullptr;  // keeps the frames taken
    int m_badFrames = 0;
};
