#pragma once

#include "model/SkyCoordinates.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/LabelCache.h"
#include "skydraw/MovingSky.h"

#include <QImage>

#include <chrono>
#include <cstdint>

class ChartCanvas;
class ChartImageSet;
class PrefControl;
struct ChartSky;
struct PrintMapping;
struct minorPlanet;

// The comets and the minor planets: a symbol by kind (for minor planets by
// the list they came from), the red ring of the nearest near-Earth object,
// the find mark and the names. Both share the comets' faint limit; the find
// selection and the nearest near-Earth object show whatever their magnitude.
// On paper: the print view's black symbols and the names.
class SmallBodyPainter {
public:
    // The print view's symbols of comets and of the three minor-planet kinds.
    struct PrintSymbols {
        QImage comet;
        QImage minorPlanet;
        QImage neo;
        QImage astOrb;
    };

    // While the view moves or the time steps, a large table's minor planets
    // on screen are drawn only up to this many, the brightest (the selection
    // and the nearest near-Earth object always among them).
    static constexpr std::size_t kMovingMinorPlanets = 1000;
    // Of those, only this many, the brightest, are named: a name costs
    // several times its symbol.
    static constexpr std::size_t kMovingMinorPlanetNames = 100;
    // The sky counts as moving when it changed since a paint this recent.
    static constexpr std::chrono::milliseconds kMovingPaints = kMovingSkyPaints;

    SmallBodyPainter(const PrefControl& prefs, const ChartImageSet& images);

    void paint(ChartCanvas& canvas, const ChartSky& sky, float markAlpha);
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping, const PrintSymbols& symbols);

    // Whether the switches let a minor planet of this source show: the
    // bright and numbered lists by `showMP`, the near-Earth list by
    // `showNEO` (or either when it is the selection); the unnumbered orbits
    // always.
    static bool isSourceShown(std::int32_t source, bool showMP, bool showNEO, bool isSelected);
    // The screen symbol of a minor planet by the list it came from.
    static ChartImageSet::Symbol screenSymbol(std::int32_t source);

    // Whether the last paint left minor planets out because the sky moved:
    // the same view and moment painted again draw them all.
    bool hasLeftOut() const { return m_hasLeftOut; }
    // For tests: how recent a paint must be for the sky to count as moving.
    void setMovingPaints(std::chrono::milliseconds interval) { m_movingSky.setMovingPaints(interval); }

private:
    void paintComets(ChartCanvas& canvas, const ChartSky& sky, float markAlpha);
    void paintMinorPlanets(ChartCanvas& canvas, const ChartSky& sky, float markAlpha);

    const PrefControl& m_prefs;
    const ChartImageSet& m_images;
    LabelCache m_cometLabels;
    LabelCache m_minorPlanetLabels;
    LabelCache m_printLabels;
    MovingSkyWatch m_movingSky;
    bool m_hasLeftOut = false;
};
