#pragma once

#include "skydraw/LabelCache.h"

#include <QRectF>
#include <QString>

#include <array>

class ChartCanvas;
class PhotoHorizonSource;
class PrefControl;
struct ChartSky;
struct PrintMapping;

// The ground over everything below the horizon, the site's photographic
// horizon darkened with the twilight, and the eight compass points along the
// horizon. On paper the horizon as a thin line and the compass points in black.
class HorizonPainter {
public:
    static constexpr int kNumCompassPoints = 8;
    static constexpr std::size_t kFirstCompassMark = 3106;  // in the horizontal grid: S, SW … SE

    explicit HorizonPainter(const PrefControl& prefs) : m_prefs(prefs) {}

    // The renderer; none draws no photograph.
    void setPhotoHorizon(PhotoHorizonSource* source) { m_photo = source; }

    // `viewAngle` in degrees.
    void paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect, double viewAngle);
    // `chartRect` is the screen chart the points were projected into.
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping, const QRectF& chartRect,
               double viewAngle);

    // How dark the photograph turns (0 none … 1 black) with the Sun at
    // `sunAltDeg` and the site's brightness adjustment.
    static double darkness(double sunAltDeg, double brightAdj);
    // Where compass letter `k` goes for a mark at `mark`, the chart's centre at `centre`.
    static QPointF compassLabelPoint(QPointF mark, QPointF centre, int k);

private:
    void paintPhoto(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect);

    const PrefControl& m_prefs;
    PhotoHorizonSource* m_photo = nullptr;
    std::array<QString, kNumCompassPoints> m_letters;
    LabelCache m_labels;
    LabelCache m_printLabels;
};
