#pragma once

#include "find/FindResultCode.h"
#include "find/tours/TourFinder.h"
#include "remote/events/RemoteFinder.h"
#include "remote/events/RemoteGuider.h"
#include "remote/events/RemoteMount.h"
#include "remote/speech/Speaker.h"

#include <QStringList>

#include <utility>
#include <vector>

// Apart from the companion server's fakes of the same names.
namespace event_fakes {

struct FakeMount final : RemoteMount {
    bool connected = false;
    bool slewing = false;
    int slewChecks = 0;
    std::vector<int> connectedSlots;
    std::vector<float> timerRates;
    QStringList debugLines;

    bool isConnected() const override { return connected; }
    bool isSlewing() const override { return slewing; }
    double scopeAz() const override { return 123.5; }
    double scopeRA() const override { return 83.25; }
    double scopeDec() const override { return -5.5; }
    void genericSlewDetect() override { ++slewChecks; }
    void scopeConnect(int slot) override { connectedSlots.push_back(slot); }
    void setTimerRate(float seconds) override { timerRates.push_back(seconds); }
    void writeDebugFile(const QString& line) override { debugLines << line; }
};

struct FakeFinder final : RemoteFinder {
    int answer = findResultNotFound;
    int tourAnswer = findResultNotFound;
    QStringList lookups;
    std::vector<int> tourSteps;
    int trackActions = 0;
    int trackObjects = 0;

    int findVoiceName(const QString& name) override
    {
        lookups << name;
        return answer;
    }
    void findTrackAction() override { ++trackActions; }
    void trackObject() override { ++trackObjects; }
    double trackRA() const override { return 1.25; }
    double trackDec() const override { return -0.5; }
    int voiceTrack(int direction) override
    {
        tourSteps.push_back(direction);
        return tourAnswer;
    }
};

struct FakeGuider final : RemoteGuider {
    std::vector<std::pair<float, float>> corrections;
    bool phdGuideControl(float eastWest, float northSouth) override
    {
        corrections.emplace_back(eastWest, northSouth);
        return true;
    }
};

struct RecordingSpeaker final : Speaker {
    QStringList spoken;
    void startSpeakingString(const QString& text) override { spoken << text; }
};

#include "platform/DisplayGamma.h"

struct SilentGamma final : DisplayGamma {
    quint32 displayID() const override { return 0; }
    GammaFormula defaultFormula() const override { return {}; }
    bool setFormula(const GammaFormula&) override { return false; }
    bool restoreDefault() override { return false; }
};

}  // namespace event_fakes
