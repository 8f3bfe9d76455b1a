#pragma once

#include "model/projection/HorizonVector.h"
#include "model/projection/PrecessionMatrix.h"
#include "model/projection/StereographicProjection.h"
#include "model/records/FloatPoint.h"
#include "model/records/RecordConstants.h"

#include <QRectF>

#include <array>
#include <cstdint>
#include <optional>

// The geometry one projection pass shares between all its catalogues: the
// rotation from the equator (of J2000.0 or of date) into the horizon frame,
// and the stereographic projection of a horizon direction onto the chart
// about the view centre. Its trigonometry is done once, when it is made; the
// per-record operations are a few multiplications and at most one division.
// A frame never changes after it is made, so threads may share it.
class ProjectionFrame {
public:
    struct View {
        QRectF skyRect;          // the view rectangle, points, y upward
        double radius = 0.0;     // the projection scale, points
        double xLimit = 0.0;     // the smallest depth inside the view
        bool isAllSky = false;   // the all-sky chart, centred on the zenith
        double altitude = 0.0;   // of the view centre, radians
        double azimuth = 0.0;    // of the view centre, radians from north through east
        double primeMeridian = 0.0;  // local sidereal time, radians
        double latitude = 0.0;       // of the site, radians
        bool isBelow = false;        // nothing is cut at the horizon
        double julianDay = 2451545.0;
        PrecessionMatrix precession;
    };

    ProjectionFrame() : ProjectionFrame(View{}) {}
    explicit ProjectionFrame(const View& view);

    // Horizon vector of an equatorial unit vector of date.
    HorizonVector fromDate(double x, double y, double z) const
    {
        return rotate(m_ofDate, x, y, z);
    }
    // Horizon vector of an equatorial unit vector of J2000.0, precessed to the date.
    HorizonVector fromJ2000(double x, double y, double z) const
    {
        return rotate(m_fromJ2000, x, y, z);
    }

    // The cosine of the angle between the direction and the view centre.
    double depth(const HorizonVector& h) const { return m_stereographic.depth(h); }
    bool isInView(double depth) const { return depth >= m_xLimit; }

    // The chart point of a direction at `depth` (which must be above -1).
    FloatPoint chartPoint(const HorizonVector& h, double depth) const
    {
        return m_stereographic.chartPoint(h, depth);
    }
    // The chart point without the view test; none for the one direction
    // straight behind the view centre, which has no finite point.
    std::optional<FloatPoint> anyChartPoint(const HorizonVector& h) const
    {
        const double dep = depth(h);
        if (!(dep > -1.0))
            return std::nullopt;
        return chartPoint(h, dep);
    }

    // The visibility rule of a record that passed its filter: below the
    // horizon cut `cut` (horZ above it), off the view, or on screen, when
    // `point` receives its chart point.
    std::int32_t place(const HorizonVector& h, double cut, FloatPoint& point) const
    {
        if (h.z > cut)
            return kStateBelowHorizon;
        const double dep = depth(h);
        if (!isInView(dep))
            return kStateOffView;
        point = chartPoint(h, dep);
        return kStateOnScreen;
    }
    bool isShown(const HorizonVector& h, double cut, FloatPoint& point) const
    {
        return place(h, cut, point) == kStateOnScreen;
    }

    // The horizon cut: 0, or 1 while nothing is to be cut. Some overlays
    // reach kOverlayCut below it.
    static constexpr double kOverlayCut = 0.2;
    double cut() const { return m_cut; }
    double overlayCut() const { return m_cut + kOverlayCut; }

    double cx() const { return m_stereographic.cx(); }
    double cy() const { return m_stereographic.cy(); }
    double radius() const { return m_stereographic.radius(); }
    double xLimit() const { return m_xLimit; }
    bool isAllSky() const { return m_isAllSky; }
    double sinAltitude() const { return m_stereographic.sinAltitude(); }
    double cosAltitude() const { return m_stereographic.cosAltitude(); }
    // Julian centuries from J2000.0 to the sky date.
    double julianCenturies() const { return m_julianCenturies; }
    const PrecessionMatrix& precession() const { return m_precession; }

private:
    using Matrix = std::array<double, 9>;
    static HorizonVector rotate(const Matrix& m, double x, double y, double z)
    {
        const auto [hx, hy, hz] = PrecessionMatrix::multiply(m, x, y, z);
        return {hx, hy, hz};
    }

    StereographicProjection m_stereographic;
    double m_xLimit;
    bool m_isAllSky;
    double m_cut;
    double m_julianCenturies;
    PrecessionMatrix m_precession;
    Matrix m_ofDate;
    Matrix m_fromJ2000;
};
