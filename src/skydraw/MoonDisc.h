#pragma once

#include <QPointF>
#include <QRectF>

class ChartCanvas;
class QImage;
struct ChartSky;

// The Moon at its true apparent size with its phase: on screen the full-Moon
// photograph clipped to the disc, its unlit part darkened behind a terminator
// made of a second circle turned by the terminator angle, and the Earth's
// shadow laid over it during an eclipse; on paper the same outline as line
// art. Both return the disc radius, which places the Moon's name.
class MoonDisc {
public:
    // The disc and terminator for the Moon's chart point `p`.
    struct Geometry {
        double diameter;  // D ≥ 5 points
        float radius;     // r = D / 2
        double rho;       // radius of the terminator circle, at most 2000 points
        double offset;    // its centre lies σ·e from the disc centre …
        int sigma;        // … along (cos t, −sin t), t the terminator angle
        bool isDarkInside;  // inside the terminator lies the dark part (else the lit part)
        QRectF disc;        // the disc square
    };

    // R the projection scale (points), moonAD the apparent diameter
    // (radians), moonPhase the illuminated percent (negative while waning).
    static Geometry geometry(QPointF p, double radius, double moonAD, double moonPhase);

    // `moonFull` north up; an empty image draws only the shading.
    static float draw(ChartCanvas& canvas, const ChartSky& sky, QPointF p, const QImage& moonFull);
    // `p` is the printed point; the disc keeps its screen size in page points.
    static float print(ChartCanvas& canvas, const ChartSky& sky, QPointF p);
};
