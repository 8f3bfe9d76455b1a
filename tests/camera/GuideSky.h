#pragma once

#include "camera/ManualClock.h"
#include "camera/TestFrame.h"
#include "camera/guide/GuideAdapter.h"
#include "camera/guide/GuideMount.h"

#include <QStringList>

#include <array>
#include <limits>
#include <memory>
#include <set>
#include <vector>

// A camera looking at one star through a mount that moves it by what the
// guider told the mount or the adapter: the right-ascension axis moves the
// star along `angle` on the picture, the declination axis 90° further on
// (or against it when mirrored, give or take a skew), each at its own rate
// once its backlash is taken up. A new frame arrives every 100 ms; frames
// may carry noise, or be lost (black).
class GuideSky final : public FocusImage, public GuideMount, public GuideAdapter {
public:
    struct Options {
        double angleDegrees = 0;
        double raRate = 4;   // pixels per second
        double decRate = 4;
        bool mirrored = false;
        double decSkewDegrees = 0;
        double raBacklash = 0;  // seconds of drive before the star moves
        double decBacklash = 0;
        int noise = 0;          // the largest noise added to a pixel
        int protocol = 1;
        bool adapter = false;
        bool frozen = false;    // the mount does not move
        double startX = 160;
        double startY = 120;
        int width = 320;
        int height = 240;
    };

    GuideSky(ManualClock& clock, Options options);

    float width() const override { return m_frame.width(); }
    float height() const override { return m_frame.height(); }
    const quint8* focusBuff() const override { return m_frame.focusBuff(); }
    bool hasFocusImage() const override { return m_frame.hasFocusImage(); }
    void setHasFocusImage(bool fresh) override { m_frame.setHasFocusImage(fresh); }

    int scopeProtocol() const override { return m_options.protocol; }
    bool genericSlew(int direction) override;
    bool genericSlewStop(int direction) override;
    bool pulseGuideLX200(bool eastWest, int milliseconds) override;

    bool isGPUSBConnected() const override { return m_options.adapter; }
    bool guideGPUSB(float eastWest, float northSouth) override;
    bool lockGPUSB(float eastWest, float northSouth) override;

    // Frames, counted from the first, that come black.
    void dropStars(int first, int count);
    int frames() const { return m_frames; }
    QStringList commands;

private:
    static constexpr qint64 kForever = std::numeric_limits<qint64>::max();
    struct Axis {
        int direction = 0;
        int lastDirection = 0;
        qint64 until = kForever;
        qint64 last = 0;
        double slack = 0;
        double seconds = 0;  // signed drive time that moved the star
    };
    void advance();
    void drive(Axis& axis, int direction, qint64 milliseconds, double backlash);
    void newFrame();

    ManualClock& m_clock;
    Options m_options;
    TestFrame m_frame;
    std::array<std::vector<quint8>, 4> m_noise;
    std::unique_ptr<GuideTimer> m_camera;
    Axis m_ra;
    Axis m_dec;
    std::set<int> m_dropped;
    int m_frames = 0;
};
