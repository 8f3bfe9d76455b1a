#pragma once

#include "model/records/star.h"

#include <QString>

#include <optional>

// The one temporary catalogue star built from an online lookup's answer
// (object index -3); the projection pass places it like any other star.
class SimulatedStar {
public:
    // Replaces the star: ra and dec in degrees (J2000), proper motions in
    // milliarcseconds per year, the catalogue number as the lookup gave it.
    void create(double ra, double dec, const QString& name, const QString& number, double pmRA,
                double pmDec, float mag);
    void clear() { m_star.reset(); }

    star* get() { return m_star ? &*m_star : nullptr; }
    const star* get() const { return m_star ? &*m_star : nullptr; }

private:
    std::optional<star> m_star;
};
