#pragma once

#include "find/tours/CaptureLink.h"
#include "find/tours/TourCamera.h"
#include "find/tours/TourFinder.h"
#include "find/tours/TourMount.h"
#include "model/ObjectIndex.h"

#include <QHash>

#include <functional>
#include <utility>
#include <QStringList>

// A finder that knows a few names: each answers its result and leaves a
// track position; everything else is not found.
struct FakeTourFinder final : TourFinder {
    struct Entry {
        FindResultCode result;
        double ra = 0.0;
        double dec = 0.0;
    };
    FindResultCode findVoiceName(const QString& name) override
    {
        asked.append(name);
        const auto it = known.constFind(name);
        if (it == known.cend())
            return findResultNotFound;
        if (it->result == findResultFound) {
            index = 7;
            selection = name;
            setTrackRA(it->ra, it->dec);
        }
        return it->result;
    }
    int findIndex() const override { return index; }
    QString findName() const override { return selection; }
    double trackRA() const override { return ra; }
    double trackDec() const override { return dec; }
    void setTrackRA(double r, double d) override
    {
        ra = r;
        dec = d;
    }
    void trackObject() override { tracked.append(selection); }
    void centerAndUpdateSky() override { ++centred; }

    QHash<QString, Entry> known;
    QStringList asked;
    QStringList tracked;
    int index = kNoObjectIndex;
    QString selection;
    double ra = 0.0;
    double dec = 0.0;
    int centred = 0;
};

// A mount that slews for a number of slew checks after each goto it sees.
struct FakeTourMount final : TourMount {
    bool isConnected() const override { return connected; }
    bool isSlewing() const override { return slewing; }
    bool genericSlewDetect() override
    {
        ++checks;
        return slewing;
    }
    bool connected = true;
    bool slewing = false;
    int checks = 0;
};

struct FakeCanon final : TourCamera {
    bool isCanonConnected() const override { return connected; }
    // Answers later, as the camera does.
    void canonStartBulbExposure(std::function<void(bool)> started) override
    {
        ++exposures;
        answer = [this, started = std::move(started)] {
            exposing = starts;
            started(starts);
        };
    }
    // Gives the camera's answer to the last start.
    void answerStart()
    {
        if (const std::function<void()> pending = std::exchange(answer, {}))
            pending();
    }
    bool isCanonExposing() const override { return exposing; }
    bool isCanonDownloading() const override { return false; }
    bool connected = true;
    bool starts = true;
    bool exposing = false;
    int exposures = 0;
    std::function<void()> answer;
};

// The shared text; a listening capture program takes the probe away.
struct FakeCapture final : CaptureLink {
    void clearContents() override { text.clear(); }
    void setString(const QString& t) override
    {
        text = t;
        history.append(t);
        if (listening && t == "/NEB Delay 5")
            text.clear();
    }
    QString string() const override { return text; }
    QString text;
    QStringList history;
    bool listening = true;
};
