#pragma once

#include "find/TypedPosition.h"
#include "mount/links/SiteHandOver.h"
#include "remote/CompanionChart.h"
#include "remote/CompanionFinder.h"
#include "remote/CompanionGuider.h"
#include "remote/CompanionMount.h"
#include "remote/CompanionSettings.h"
#include "remote/CompanionTelescopeView.h"

#include <QMap>
#include <QStringList>

#include <optional>

// The neighbours of the companion server, recording what it asks of them.
struct FakeSettings final : CompanionSettings {
    bool isDebug() const override { return debug; }
    bool isExtConnect() const override { return extConnect; }
    double latitude() const override { return lat; }
    double longitude() const override { return lon; }
    void setLatitude(double degrees) override { lat = degrees; }
    void setLongitude(double degrees) override { lon = degrees; }
    QString telescopeName() const override { return scope; }

    bool debug = false;
    bool extConnect = true;
    double lat = 48.0;
    double lon = -2.0;
    QString scope = QStringLiteral("C8");
};

struct FakeChart final : CompanionChart {
    double azimuth() const override { return az; }
    double altitude() const override { return alt; }
    double viewAngle() const override { return fov; }
    void setViewAngle(double degrees) override { fov = degrees; }
    void setAltitude(double degrees) override { alt = degrees; }
    void setAzimuth(double degrees) override { az = degrees; }
    void updateSkyView() override { ++updates; }

    double az = 180.0;
    double alt = 30.0;
    double fov = 60.0;
    int updates = 0;
};

struct FakeMount final : CompanionMount {
    bool isConnected() const override { return connected; }
    bool isSlewing() const override { return slewing; }
    bool genericSlew(int direction) override
    {
        calls << QStringLiteral("slew %1").arg(direction);
        return true;
    }
    bool genericSlewStop(int direction) override
    {
        calls << QStringLiteral("stop %1").arg(direction);
        return true;
    }
    void setGenericSlewRate(int rate) override { calls << QStringLiteral("rate %1").arg(rate); }
    void writeDebugFile(const QString& line) override { debugLines << line; }

    bool connected = true;
    bool slewing = false;
    QStringList calls;
    QStringList debugLines;
};

// Finds the names it was given, and typed coordinates as the real finder
// reads them.
struct FakeFinder final : CompanionFinder {
    FindResultCode findVoiceName(const QString& name) override
    {
        asked << name;
        if (names.contains(name))
            return names.value(name);
        if (name.contains(u':')) {
            const TypedPosition::Result typed = TypedPosition::parse(name);
            if (typed.outcome == TypedPosition::Outcome::Position) {
                position = typed.position;
                return findResultFound;
            }
        }
        return findResultNotFound;
    }
    void findTrackAction() override { ++tracks; }

    QMap<QString, FindResultCode> names;
    QStringList asked;
    std::optional<TypedPosition::Position> position;
    int tracks = 0;
};

struct FakeTelescopeView final : CompanionTelescopeView {
    double trackRA() const override { return ra; }
    double trackDec() const override { return dec; }
    void setSVPower(float p) override { power = p; }

    double ra = 1.5;
    double dec = -0.25;
    std::optional<float> power;
};

struct FakeSite final : SiteHandOver {
    void setLocation(double latitude, double longitude, double timeZoneHours) override
    {
        location = {latitude, longitude, timeZoneHours};
    }
    void lumarikSiteGoto(const QString& siteName) override { stored = siteName; }

    struct Location {
        double latitude, longitude, timeZone;
    };
    std::optional<Location> location;
    std::optional<QString> stored;
};

struct FakeGuider final : CompanionGuider {
    bool isGuiding() const override { return guiding; }
    float errX() const override { return 0.5f; }
    float errY() const override { return -0.25f; }
    History errXArray() const override { return x; }
    History errYArray() const override { return y; }
    float guideRate() const override { return 2.5f; }
    void clearErrArrays() override { ++clears; }
    void setLumarikTrend(bool on) override { trend = on; }
    void setLumarikTrendUpdate(bool on) override { update = on; }

    bool guiding = false;
    History x{};
    History y{};
    int clears = 0;
    std::optional<bool> trend;
    std::optional<bool> update;
};
