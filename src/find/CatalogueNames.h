#pragma once

#include "find/ContainedNames.h"
#include "find/ExactNames.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <string_view>

class FindSky;

// The catalogues' names as the window-less search compares them, gathered
// once per catalogue load: deep-sky objects by name, NGC number or Messier
// number, stars by name, Bayer letter or SAO number, comets and minor planets
// by any part of their name. Every comparison ignores ASCII case, and each
// lookup answers the record (its position in its catalogue) that a pass
// from the front of the catalogue would meet first.
class CatalogueNames {
public:
    explicit CatalogueNames(const FindSky& sky);

    // `text` with ASCII letters lower-cased, as every lookup takes it.
    static QByteArray lowered(QByteArray text);

    std::optional<std::uint32_t> deepSkyNamed(std::string_view lowered) const { return m_deepSky.find(lowered); }
    std::optional<std::uint32_t> deepSkyByNgc(std::string_view lowered) const { return m_ngc.find(lowered); }
    std::optional<std::uint32_t> starNamed(std::string_view lowered) const { return m_stars.find(lowered); }
    std::optional<std::uint32_t> cometContaining(std::string_view lowered) const
    {
        return m_comets.find(lowered);
    }
    std::optional<std::uint32_t> minorPlanetContaining(std::string_view lowered) const
    {
        return m_minorPlanets.find(lowered);
    }

private:
    ExactNames m_deepSky;  // name, NGC and Messier number
    ExactNames m_ngc;
    ExactNames m_stars;
    ContainedNames m_comets;
    ContainedNames m_minorPlanets;
};
