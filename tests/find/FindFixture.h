#pragma once

#include "find/FindObjects.h"
#include "find/FindSky.h"
#include "find/SimbadLookup.h"
#include "model/SimulatedStar.h"
#include "model/SkyCoordinates.h"
#include "model/UnitVector.h"
#include "model/records/RecordConstants.h"
#include "model/settings/PrefControl.h"
#include "platform/DisplayGamma.h"
#include "support/QStringPrinter.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

// A small sky the finder searches: records made on the spot, the site at the
// north pole at sidereal time 0 (altitude = declination), no precession.
class FakeSky final : public FindSky {
public:
    std::span<const star> stars() const override { return starTable; }
    std::span<const deepSky> deepSkyData() const override { return deepSkyTable; }
    std::span<const conLocn> conLocnArray() const override { return labels; }
    std::span<const comet> comets() const override { return cometTable; }
    std::span<const minorPlanet> minorPlanets() const override { return minorPlanetTable; }
    std::span<const planet> planets() const override { return planetTable; }
    // The tests add records between searches: any table that grew or moved
    // counts as a new load.
    std::uint64_t catalogueVersion() const override
    {
        std::uint64_t version = 0;
        const auto mix = [&version](const void* data, std::size_t size) {
            version = version * 1000003u ^ std::uint64_t(reinterpret_cast<std::uintptr_t>(data)) ^ size;
        };
        mix(starTable.data(), starTable.size());
        mix(deepSkyTable.data(), deepSkyTable.size());
        mix(cometTable.data(), cometTable.size());
        mix(minorPlanetTable.data(), minorPlanetTable.size());
        return version;
    }
    QString neoName() const override { return neo; }
    std::optional<std::uint32_t> neoIndex() const override { return neoRecord; }
    double julianDay() const override { return jd; }
    void centerObject() override { ++centred; }
    const std::array<double, 9>& precessionMatrix() const override { return precession; }
    void CalculateAzFromRA(double ra, double dec, double* az, double* alt) const override
    {
        SkyCoordinates::CalculateAzFromRA(ra, dec, {Angles::kPi / 2, 0.0}, az, alt);
    }
    const std::optional<QPainterPath>& horizonAltAzPath() const override { return horizon; }
    void createSimStar(double ra, double dec, const QString& name, const QString& number,
                       double pmRA, double pmDec, float mag) override
    {
        simulated.create(ra, dec, name, number, pmRA, pmDec, mag);
    }
    void clearSimStar() override { simulated.clear(); }
    const star* simStar() const override { return simulated.get(); }
    void calculateStarPositions(bool force) override
    {
        ++passes;
        if (star* s = simulated.get())
            s->horZ = -std::sin(s->decDeg * Angles::kDegree);  // below when south
        (void)force;
    }

    template <std::size_t N>
    static void setText(char (&field)[N], const char* text)
    {
        std::strncpy(field, text, N - 1);
    }
    template <class Record>
    static Record& place(Record& r, double raDeg, double decDeg)
    {
        const UnitVector v =
            UnitVector::fromRADec(raDeg * Angles::kDegree, decDeg * Angles::kDegree);
        r.vecX = v.x;
        r.vecY = v.y;
        r.vecZ = v.z;
        r.horZ = -v.z;
        if constexpr (requires { r.state; })
            r.state = kStateOnScreen;
        return r;
    }
    deepSky& addDeepSky(const char* name, const char* ngc, const char* messier, double dec = 40.0)
    {
        deepSky d{};
        d.index = std::uint32_t(deepSkyTable.size());
        setText(d.name, name);
        setText(d.ngc, ngc);
        setText(d.messier, messier);
        return deepSkyTable.emplace_back(place(d, 10.0, dec));
    }
    star& addStar(const char* name, const char* bayer, const char* sao, double dec = 30.0)
    {
        star s{};
        s.index = std::uint32_t(starTable.size());
        setText(s.name, name);
        setText(s.bayer, bayer);
        setText(s.sao, sao);
        return starTable.emplace_back(place(s, 100.0, dec));
    }
    template <class Record>
    Record& addNamed(std::vector<Record>& table, const char* name, double dec = 20.0)
    {
        Record r{};
        r.index = std::uint32_t(table.size());
        setText(r.name, name);
        return table.emplace_back(place(r, 50.0, dec));
    }

    std::vector<star> starTable;
    std::vector<deepSky> deepSkyTable;
    std::vector<conLocn> labels;
    std::vector<comet> cometTable;
    std::vector<minorPlanet> minorPlanetTable;
    std::vector<planet> planetTable = std::vector<planet>(11);
    QString neo;
    std::optional<std::uint32_t> neoRecord;
    double jd = 2451545.0;
    int centred = 0;
    std::array<double, 9> precession{1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::optional<QPainterPath> horizon;
    SimulatedStar simulated;
    int passes = 0;
};

struct NoGamma final : DisplayGamma {
    quint32 displayID() const override { return 0; }
    GammaFormula defaultFormula() const override { return {}; }
    bool setFormula(const GammaFormula&) override { return false; }
    bool restoreDefault() override { return false; }
};

// The finder over the small sky, its cache folder in a temporary directory
// and the lookup services at `services` (none by default).
class FindFixture : public ::testing::Test {
protected:
    void makeFinder(const SimbadLookup::Services& services = {},
                    std::chrono::milliseconds timeout = SimbadLookup::kTimeout)
    {
        finder.reset();
        lookup = std::make_unique<SimbadLookup>(misc(), services, timeout);
        FindObjects::Hooks hooks;
        hooks.updateSky = [this] { ++skyUpdates; };
        hooks.now = [this] { return now; };
        finder = std::make_unique<FindObjects>(sky, prefs, *lookup, hooks);
    }
    void SetUp() override
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        QDir().mkpath(misc());
        makeFinder();
    }
    QString misc() const { return dir.path() + "/Misc/"; }
    QString result() const { return finder->panelState().resultText; }

    QTemporaryDir dir;
    FakeSky sky;
    NoGamma gamma;
    PrefControl prefs{gamma};
    QDateTime now = QDateTime(QDate(2025, 1, 1), QTime(0, 0), Qt::UTC);
    int skyUpdates = 0;
    std::unique_ptr<SimbadLookup> lookup;
    std::unique_ptr<FindObjects> finder;
};
