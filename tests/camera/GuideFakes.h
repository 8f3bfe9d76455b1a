#pragma once

#include "camera/guide/GuideAdapter.h"
#include "camera/guide/GuideMount.h"
#include "camera/guide/GuideView.h"

#include <QString>
#include <QStringList>

// A mount that records what the guider told it, as "slew 3", "stop 5",
// "pulse e 1500" (the axis as e or n, signed milliseconds).
class RecordingMount final : public GuideMount {
public:
    int scopeProtocol() const override { return protocol; }
    bool genericSlew(int direction) override { return record(QString("slew %1").arg(direction)); }
    bool genericSlewStop(int direction) override { return record(QString("stop %1").arg(direction)); }
    bool pulseGuideLX200(bool eastWest, int milliseconds) override
    {
        return protocol == kPulseProtocol && record(QString("pulse %1 %2").arg(eastWest ? 'e' : 'n').arg(milliseconds));
    }
    bool record(const QString& command)
    {
        commands.append(command);
        return true;
    }

    int protocol = 1;
    QStringList commands;
};

// An adapter that records its reports as "guide 1.50 -0.50" and "lock 10.00 0.00".
class RecordingAdapter final : public GuideAdapter {
public:
    bool isGPUSBConnected() const override { return connected; }
    bool guideGPUSB(float ew, float ns) override { return record("guide", ew, ns); }
    bool lockGPUSB(float ew, float ns) override { return record("lock", ew, ns); }
    bool record(const char* kind, float ew, float ns)
    {
        commands.append(QString::asprintf("%s %.2f %.2f", kind, ew, ns));
        return accepts;
    }

    bool connected = true;
    bool accepts = true;
    QStringList commands;
};

class RecordingView final : public GuideView {
public:
    void setGuideStatus(const QString& text) override { statuses.append(text); }
    void setCalibrateTitle(const QString& title) override { calibrateTitle = title; }
    void setGuideTitle(const QString& title) override { guideTitle = title; }
    void setGuideEnabled(bool enabled) override { guideEnabled = enabled; }
    void setCalibrateEnabled(bool enabled) override { calibrateEnabled = enabled; }
    void setGuideControlsEnabled(bool enabled) override { controlsEnabled = enabled; }

    QStringList statuses;
    QString calibrateTitle;
    QString guideTitle;
    bool guideEnabled = false;
    bool calibrateEnabled = false;
    bool controlsEnabled = false;
};

class RecordingCompanion final : public GuideDataListener {
public:
    void requestGuideData() override { ++requests; }
    int requests = 0;
};
