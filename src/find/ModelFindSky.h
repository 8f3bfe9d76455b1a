#pragma once

#include "find/FindSky.h"

#include <functional>

class StarDatabaseModel;

// The finder's view of the astronomy model; the near-Earth object's name comes
// from the solar-system side, which may stay unset.
class ModelFindSky final : public FindSky {
public:
    ModelFindSky(StarDatabaseModel& model, std::function<QString()> neoName = {})
        : m_model(model), m_neoName(std::move(neoName))
    {
    }

    std::span<const star> stars() const override;
    std::span<const deepSky> deepSkyData() const override;
    std::span<const conLocn> conLocnArray() const override;
    std::span<const comet> comets() const override;
    std::span<const minorPlanet> minorPlanets() const override;
    std::span<const planet> planets() const override;
    QString neoName() const override { return m_neoName ? m_neoName() : QString(); }
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
    std::function<QString()> m_neoName;
};
