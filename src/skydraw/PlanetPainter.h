#pragma once

#include "model/records/BodyNumber.h"
#include "skydraw/LabelCache.h"

#include <QString>

#include <array>

class ChartCanvas;
class ChartImageSet;
class PrefControl;
struct ChartSky;
struct PrintMapping;

// The Sun as its image five apparent diameters across, the planets and
// Pluto as star sprites tinted by body and sized by magnitude, the Moon's
// disc, and their names. On paper black dots, the Sun's disc and the Moon's
// line drawing.
class PlanetPainter {
public:
    static constexpr int kNumDrawnBodies = BodyNumber::kMoon + 1;  // Sun … Pluto, Moon; not the shadow point

    PlanetPainter(const PrefControl& prefs, const ChartImageSet& images);

    void paint(ChartCanvas& canvas, const ChartSky& sky, float markAlpha);
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping);

    // The side of the Sun's square on screen at scale R: five times its
    // apparent diameter, at least 25 points.
    static double sunSize(double radius);
    // The key of a body's name (0 Sun ... 8 Pluto, 9 Moon) in the string table "Global".
    static const char* nameKey(int body);

private:
    const QString& name(int body);

    const PrefControl& m_prefs;
    const ChartImageSet& m_images;
    std::array<QString, kNumDrawnBodies> m_names;
    LabelCache m_labels;
    LabelCache m_printLabels;
};
