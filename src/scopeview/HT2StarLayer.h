#pragma once

#include "model/records/ht2Star.h"
#include "scopeview/HT2ZoneFile.h"
#include "skydraw/ChartCanvas.h"

#include <QImage>
#include <QPointF>
#include <QRect>

#include <cstddef>
#include <map>
#include <span>
#include <vector>

class ChartImageSet;
class HT2ZoneIndex;
class SVProjection;

// The deep stars of one drawing pass: the zones and right-ascension windows
// the field touches, read from the index's offsets, kept when bright enough
// and inside the cull, projected, drawn and appended to the view's records.
class HT2StarLayer {
public:
    static constexpr std::size_t kCapacity = 100000;
    static constexpr int kNumImages = 7;

    // Settings read once per pass.
    struct Settings {
        double faintLimit = 12.5;  // svStarMagLimit
        double starBrightVal = 0.75;
        double starShiftVal = 0.0;
        bool isStarAntiAlias = false;
        bool isNightVision = false;
        long findIndex = -1;
        bool hasChanged = true;  // the field moved since the records were made
    };

    // `images` may be null: stars are then drawn as plain shapes and no
    // find mark is drawn. `stars` is the view's record block, emptied here.
    HT2StarLayer(HT2ZoneIndex& index, const SVProjection& projection, ChartCanvas& canvas,
                 const ChartImageSet* images, const Settings& settings, std::vector<ht2Star>& stars);

    // Every band of the field, `margin` degrees about its centre.
    void draw(double margin);
    // After draw(): a red cross on the north celestial pole when the field's
    // J2000 centre lies above +85 degrees and the pole passes the cull.
    void drawPoleCross();

    // One band: the window start1..end1 or, wrapped, the two windows
    // start1..end1 and start2..end2 (degrees, inclusive), read from `offset`.
    void drawHT2Stars(unsigned short zone, double start1, double end1, bool wrapped, double start2,
                      double end2, unsigned long offset);

    // The sprite of a class value: 0 (11.5 and up) to 6 (below 6.5).
    static int imageIndex(float classValue);

private:
    // Stars of `lines` with start <= RA <= end, until one lies past end.
    void readWindow(std::span<const HT2ZoneFile::Line> lines, double start, double end);
    void drawStar(const QPointF& point, float classValue);
    // The sprites collected with anti-aliasing, drawn in one go, and the
    // shapes collected without, filled white at once.
    void fillShapes();
    // A white oval of a size (a square pixel for size 1), drawn as the
    // painter draws it without anti-aliasing.
    const QImage& ovalOf(int size);

    HT2ZoneIndex& m_index;
    const SVProjection& m_projection;
    ChartCanvas& m_canvas;
    const ChartImageSet* m_images;
    Settings m_settings;
    std::vector<ht2Star>& m_stars;
    // Without anti-aliasing: the stars' squares and ovals in whole device
    // pixels, drawn upright (they are round) where the view transform puts them.
    std::vector<QRect> m_dots;
    std::vector<QRect> m_ovals;
    std::vector<ChartCanvas::Sprite> m_sprites;
    std::map<int, QImage> m_ovalImages;  // by size, made as first needed
    double m_decJ = 0.0;  // the field centre's J2000 declination, degrees
    // How far (degrees) a star's J2000 declination may lie from the centre's
    // and the star still pass the cull: a star's angle from the centre is at
    // least the difference of their declinations.
    double m_decReach = 180.0;
};
