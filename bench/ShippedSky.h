#pragma once

// The shipped catalogues as the finder searches them, for the benchmarks:
// stars, deep-sky objects, constellation labels and comets from the bundle,
// plus 50,000 minor planets named as the numbered ones are; and the finder
// over them.
#include "BenchMain.h"

#include "find/FindObjects.h"
#include "find/FindSky.h"
#include "find/SimbadLookup.h"
#include "model/SimulatedStar.h"
#include "model/catalogue/ConstellationLabels.h"
#include "model/catalogue/DeepSkyTableBuilder.h"
#include "model/catalogue/StarTableBuilder.h"
#include "platform/DataPaths.h"
#include "solarsystem/smallbodies/CometImport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

constexpr std::size_t kMinorPlanets = 50000;

[[noreturn]] inline void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}

class ShippedSky final : public FindSky {
public:
    ShippedSky()
    {
        const QString build = DataPaths::bundleDataFolder() + "/Build Data/";
        if (DataPaths::bundleDataFolder().isEmpty()
            || StarTableBuilder::table(m_database.path() + "/", build).build(m_stars)
            || DeepSkyTableBuilder::table(m_database.path() + "/", build).build(m_deepSky))
            fail("The shipped catalogues cannot be read.");
        QFile comets(build + "Soft00Cmt.txt");
        if (!comets.open(QIODevice::ReadOnly))
            fail("The shipped comets cannot be read.");
        const QByteArray text = comets.readAll();
        m_comets =
            CometImport::parse(std::string_view(text.constData(), std::size_t(text.size())))
                .comets;
        m_labels = ConstellationLabels::create();
        m_minorPlanets.resize(kMinorPlanets);
        for (std::size_t i = 0; i < kMinorPlanets; ++i) {
            minorPlanet& m = m_minorPlanets[i];
            m.index = std::uint32_t(i);
            std::snprintf(m.name, sizeof m.name, "(%zu) Minor%zu", i + 1, i * 7919 % 100000);
        }
    }

    std::span<const star> stars() const override { return m_stars; }
    std::span<const deepSky> deepSkyData() const override { return m_deepSky; }
    std::span<const conLocn> conLocnArray() const override { return m_labels; }
    std::span<const comet> comets() const override { return m_comets; }
    std::span<const minorPlanet> minorPlanets() const override { return m_minorPlanets; }
    std::span<const planet> planets() const override { return m_planets; }
    std::uint64_t catalogueVersion() const override { return 0; }
    QString neoName() const override { return {}; }
    std::optional<std::uint32_t> neoIndex() const override { return std::nullopt; }
    double julianDay() const override { return 2461380.5; }
    void centerObject() override {}
    const std::array<double, 9>& precessionMatrix() const override { return m_precession; }
    void CalculateAzFromRA(double, double, double* az, double* alt) const override
    {
        *az = 0.0;
        *alt = 0.0;
    }
    const std::optional<QPainterPath>& horizonAltAzPath() const override { return m_horizon; }
    void createSimStar(double ra, double dec, const QString& name, const QString& number,
                       double pmRA, double pmDec, float mag) override
    {
        m_simStar.create(ra, dec, name, number, pmRA, pmDec, mag);
    }
    void clearSimStar() override { m_simStar.clear(); }
    const star* simStar() const override { return m_simStar.get(); }
    void calculateStarPositions(bool) override {}

    std::size_t records() const
    {
        return m_stars.size() + m_deepSky.size() + m_labels.size() + m_comets.size()
            + m_minorPlanets.size();
    }

private:
    QTemporaryDir m_database;
    std::vector<star> m_stars;
    std::vector<deepSky> m_deepSky;
    std::vector<conLocn> m_labels;
    std::vector<comet> m_comets;
    std::vector<minorPlanet> m_minorPlanets;
    std::array<planet, 11> m_planets{};
    std::array<double, 9> m_precession{1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::optional<QPainterPath> m_horizon;
    SimulatedStar m_simStar;
};

// One finder over the shipped sky with default settings; its cache folder is
// empty, so every miss also looks for a cached answer, and no service is set,
// so none is asked.
struct ShippedFinder : BenchSettings {
    ShippedSky sky;
    QTemporaryDir misc;
    SimbadLookup lookup{misc.path() + "/", {}};
    FindObjects finder{sky, prefs, lookup, {}};
};
