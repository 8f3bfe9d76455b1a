#pragma once

#include "find/FindSky.h"

#include <functional>

class SkyDateModel;
class StarDatabaseModel;

// The finder's view of the astronomy model; the near-Earth object comes from
// the solar-system side, which may stay unset.
class ModelFindSky final : public FindSky {
public:
    struct Neo {
        std::function<QString()> name;
        std::function<std::optional<std::uint32_t>()> index;
    };

    ModelFindSky(StarDatabaseModel& model, const SkyDateModel& skyDate, Neo neo = {})
        : m_model(model), m_skyDate(skyDate), m_neo(std::move(neo))
    {
    }

    std::span<const star> stars() const override;
    std::span<const deepSky> deepSkyData() const override;
    std::span<const conLocn> conLocnArray() const override;
    std::span<const comet> comets() const override;
    std::span<const minorPlanet> minorPlanets() const override;
    std::span<const planet> planets() const override;
    std::uint64_t catalogueVersion() const override;
    QString neoName() const override { return m_neo.name ? m_neo.name() : QString(); }
    std::optional<std::uint32_t> neoIndex() const override
    {
        return m_neo.index ? m_neo.index() : std::nullopt;
    }
    double julianDay() const override;
    void centerObject() override;
    const std::array<double, 9>& precessionMatrix() const override;
    void CalculateAzFromRA(double ra, double dec, double* az, double* alt) const override;
    const std::optional<QPainterPath>& horizonAltAzPath() const override;
    void createSimStar(double ra, double dec, const QString& name, const QString& number,
                       double pmRA, double pmDec, float mag) override;
    void clearSimStar() override;
    const star* simStar() const override;
    void calculateStarPositions(bool force) override;

private:
    StarDatabaseModel& m_model;
    const SkyDateModel& m_skyDate;
    Neo m_neo;
};
