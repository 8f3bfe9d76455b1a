#pragma once

#include <QPointF>

class ChartCanvas;
class DomeSlit;
class PrefControl;
class TelescopeAim;
struct ChartSky;

// Where the telescope points: a red reticle shaped after the current
// telescope's finder (a field circle, a dot, three rings, a circle with a
// cross), and the two yellow edges of the dome slit when a dome follows.
class TelescopeReticlePainter {
public:
    // The kinds of finder; no current telescope counts as kNoTelescope.
    enum FinderKind { kNoTelescope = -1, kRedDot = 0, kRings = 1, kFinderCircle = 2 };

    explicit TelescopeReticlePainter(const PrefControl& prefs) : m_prefs(prefs) {}

    // Either may stay unset: without a telescope no reticle, without a dome no slit.
    void setTelescope(TelescopeAim* aim) { m_aim = aim; }
    void setDome(const DomeSlit* dome) { m_dome = dome; }

    void paint(ChartCanvas& canvas, const ChartSky& sky);

    // The finder kind of the current telescope slot.
    int finderKind() const;
    // The reticle's chart point at the telescope's place (α, δ radians of date).
    static QPointF reticlePoint(const ChartSky& sky, double ra, double dec, double* alt);

private:
    void paintSlit(ChartCanvas& canvas, const ChartSky& sky, QPointF p, double alt);

    const PrefControl& m_prefs;
    TelescopeAim* m_aim = nullptr;
    const DomeSlit* m_dome = nullptr;
};
