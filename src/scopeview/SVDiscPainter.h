#pragma once

#include "scopeview/SVDiscSky.h"
#include "scopeview/SVLayerContext.h"

#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <array>

class JupiterFrames;
class SVDiscSource;

// What the disc painters leave behind for the pointer: the Moon's place and
// size, the label switch it toggles, and the satellites at their drawn
// places (view coordinates, through their system's turn).
struct SVDiscState {
    // Where a satellite not drawn by the last disc is: outside any view.
    static constexpr QPointF kNotDrawn{-1.0e9, -1.0e9};

    bool isMoon = false;
    bool isMoonLabel = false;
    QPointF moonPt;
    float halfMoonSize = 0.0f;
    std::array<QPointF, 4> jupiterSatPts{kNotDrawn, kNotDrawn, kNotDrawn, kNotDrawn};
    std::array<QPointF, 8> saturnSatPts{kNotDrawn, kNotDrawn, kNotDrawn, kNotDrawn,
                                        kNotDrawn, kNotDrawn, kNotDrawn, kNotDrawn};
};

// The Sun, the Moon and the planets at their true apparent size for the
// view's scale: phases, the Earth's shadow, Jupiter's turning globe with its
// satellites and their shadows, Saturn's rings and satellites. On paper the
// same discs as black-on-white line art. Each planet painter returns the
// drawn radius (points), or -1 when the body is too small for a disc and
// nothing was drawn. The context says whether the pass is on paper.
class SVDiscPainter {
public:
    // Body radii, 10^6 km.
    static constexpr double kSunRadius = 0.696265;
    static constexpr double kMercuryRadius = 0.0024395;
    static constexpr double kVenusRadius = 0.006052;
    static constexpr double kMarsRadius = 0.003397;
    static constexpr double kJupiterRadius = 0.07149;
    static constexpr double kSaturnRadius = 0.060268;
    static constexpr double kUranusRadius = 0.02556;
    static constexpr double kNeptuneRadius = 0.024765;

    struct Links {
        SVDiscSource* source;    // none: no phases, no satellites
        JupiterFrames* frames;   // none: Jupiter is a plain disc
        QString photoDirectory;  // where the frames are
    };

    SVDiscPainter(const SVLayerContext& c, const Links& links, SVDiscState& state);

    // The painter of record `body` (0 Sun ... 9 Moon); -1 for Pluto and the
    // Sun, which take the sprite rule for their label.
    float draw(int body, QPointF p);

    void sunDraw(QPointF p);
    float moonDraw(QPointF p);
    float mercuryDraw(QPointF p);
    float venusDraw(QPointF p);
    float marsDraw(QPointF p);
    float jupiterDraw(QPointF p);
    float saturnDraw(QPointF p);
    float uranusDraw(QPointF p);
    float neptuneDraw(QPointF p);

    // The stereographic radius (points) at scale `k` of a body of radius
    // `bodyRadius` at `distance` (both 10^6 km); 0 for a distance not beyond
    // the body's radius (no pass has placed it yet).
    static double discRadius(double bodyRadius, double distance, double k);
    // The small turn of a satellite system (radians) for the planet's right
    // ascension and declination (radians) and the sines and cosines of its
    // equator's tilt: atan(-cos lambda tan tilt).
    static double systemTurn(double ra, double dec, double a, double b, double tilt);
    static double jupiterTurn(double ra, double dec);
    static double saturnTurn(double ra, double dec);
    // The phase terminator's square for a disc of radius `h` about `p`;
    // Venus's shrinks by a point on every side from 20 points up.
    static QRectF terminatorSquare(QPointF p, double h, double phase, bool isVenus);

private:
    double radiusOf(int body, double bodyRadius) const;
    double distanceOf(int body) const;
    float phaseDraw(QPointF p, double r, double phase, bool isVenus);
    float imageDraw(QPointF p, double r, const QImage& image, double lineWidth);
    void drawSatellite(QPointF at, double m, const QColor& screenColor);
    void addSatelliteLabel(const QTransform& turn, QPointF at, double m, const char* text);
    void drawSaturnRings(QPointF p, double r, double B, bool isNearHalf);
    void drawSaturnGlobe(QPointF p, double r, const SVDiscSky& sky, double dx, double dy);

    const SVLayerContext& m_c;
    Links m_links;
    SVDiscState& m_state;
    QPainter& m_painter;
    QTransform m_chart;
};
