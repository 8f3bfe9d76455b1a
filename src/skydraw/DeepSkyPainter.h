#pragma once

#include "skydraw/LabelCache.h"

#include <QImage>

#include <array>
#include <cstdint>

class ChartCanvas;
class ChartImageSet;
class DeepSkyPhotos;
class PrefControl;
struct ChartSky;
struct PrintMapping;
struct deepSky;

// The deep-sky objects on screen: a photograph when photographs are on and
// the object is at least 10 points across, else its type's symbol; the find
// mark; the name by the naming settings. On paper: the print symbols and the
// names only.
class DeepSkyPainter {
public:
    // The smallest chart radius (points) of an object that shows its photograph.
    static constexpr double kPhotoRadius = 5.0;
    // The paper symbols of galaxies, nebulae, open and globular clusters.
    using PrintSymbols = std::array<QImage, 4>;

    DeepSkyPainter(const PrefControl& prefs, const ChartImageSet& images, DeepSkyPhotos& photos);

    // `markAlpha` is the find mark's opacity.
    void paint(ChartCanvas& canvas, const ChartSky& sky, float markAlpha);
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping,
               const PrintSymbols& printSymbols);

    // The chart radius of half an object's size (arcminutes) at scale R.
    static double photoRadius(float size, double radius);
    // Objects that always show their symbol: their photographs show a neighbour.
    static bool isPhotoExcluded(const deepSky& object);
    // The label of an object by the naming settings: its name, its Messier
    // designation or its catalogue designation, or none (empty).
    static QLatin1StringView nameOf(const deepSky& object, bool showName, bool showMessier,
                                    bool showNGC);
    // Which of the three texts nameOf chose, for the label's key: 0 to 2.
    static int nameField(const deepSky& object, bool showName, bool showMessier, bool showNGC);

private:
    bool drawPhoto(ChartCanvas& canvas, const deepSky& object, double x, double y, double radius);

    const PrefControl& m_prefs;
    const ChartImageSet& m_images;
    DeepSkyPhotos& m_photos;
    LabelCache m_labels;
    LabelCache m_printLabels;
};
