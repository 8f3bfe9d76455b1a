#pragma once

#include "solarsystem/window/OrbitProjection.h"
#include "solarsystem/window/OrbitTable.h"

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

class QImage;
class QPainter;
struct TextAttributes;

// Draws the parts of one redraw of the solar-system plot. Every coordinate
// it takes is a view coordinate with y upward; it flips them for the painter
// with the view's height.
class SSPlotPainter {
public:
    // An orbit smaller than this many pixels is skipped with its planet.
    static constexpr double kSmallestOrbit = 7.0;
    // A belt narrower than this is skipped.
    static constexpr double kSmallestBelt = 5.0;
    // The asteroid belt's radii, 10^6 km.
    static constexpr double kBeltInner = 330.0;
    static constexpr double kBeltOuter = 479.0;
    // Points of the selected orbit beyond this many 10^6 km are gaps.
    static constexpr double kSmallBodyLimit = 50000.0;

    // `scale`: pixels per 10^6 km.
    SSPlotPainter(QPainter& painter, double height, const PlotView& view, double scale,
                  const OrbitTable& table);

    // Where planet k stands at heliocentric longitude L (radians), and the
    // half size of its marker; none when its orbit is too small to draw.
    struct Marker {
        QPointF point;
        double halfSize = 0.0;
    };
    std::optional<Marker> planetMarker(int k, double longitude) const;

    void drawPlanetOrbit(int k);
    void drawPlanetMarker(int k, const Marker& marker, const QImage& picture);
    void drawLabel(const QString& text, QPointF at, const TextAttributes& attributes);
    // A planet's name, unless it would cover a planet's name drawn before it
    // (the inner planets crowd together at small scales); false when left out.
    bool drawPlanetLabel(const QString& text, QPointF at, const TextAttributes& attributes);
    void drawBelt(const QImage& pattern);
    void drawSun(const QImage& sun);
    // The selected body's orbit from slot 9, broken where it runs beyond the
    // limit or past an open orbit's asymptotes; then its place, if it has one.
    std::optional<QPointF> drawSmallBody();
    void drawGauge();
    void drawFrame(const QRectF& rect);

    // The view point of slot k at true anomaly v and distance rho (pixels).
    QPointF orbitPoint(int k, double rho, double trueAnomaly) const;
    // The selected body's orbit as the painter strokes it (y downward).
    QPainterPath smallBodyPath() const;

private:
    QPointF flip(QPointF p) const { return {p.x(), m_height - p.y()}; }
    double smallBodyParameter() const;

    QPainter& m_painter;
    double m_height;
    PlotView m_view;
    double m_scale;
    const OrbitTable& m_table;
    std::vector<QRectF> m_planetLabels;
};
