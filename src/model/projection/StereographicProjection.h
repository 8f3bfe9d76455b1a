#pragma once

#include "model/Angles.h"
#include "model/projection/HorizonVector.h"
#include "model/records/FloatPoint.h"

#include <cmath>

// The chart's projection: stereographic about the view centre, so a direction
// at angle t from the centre lands radius * tan(t / 2) from the chart centre
// (points, y upward). Its trigonometry is done once, when it is made; a point
// costs a few multiplications and one division.
class StereographicProjection {
public:
    // The chart centre and scale (points); the view centre's altitude and
    // azimuth (radians, azimuth from north through east).
    StereographicProjection(double cx, double cy, double radius, double altitude, double azimuth)
        : m_cx(cx), m_cy(cy), m_radius(radius), m_sinAlt(std::sin(altitude)),
          m_cosAlt(std::cos(altitude))
    {
        // The horizon frame's x axis points south, so the view looks along
        // azimuth + 180 degrees.
        double a = azimuth + Angles::kPi;
        if (a >= Angles::kTwoPi)
            a -= Angles::kTwoPi;
        m_sinA = std::sin(a);
        m_cosA = std::cos(a);
    }

    // The cosine of the angle between the direction and the view centre.
    double depth(const HorizonVector& h) const
    {
        return (h.x * m_cosA + h.y * m_sinA) * m_cosAlt - h.z * m_sinAlt;
    }
    // The chart point of a direction at `depth` (which must be above -1).
    FloatPoint chartPoint(const HorizonVector& h, double depth) const
    {
        const double d = h.x * m_cosA + h.y * m_sinA;
        const double f = m_radius / (depth + 1.0);
        return {float(m_cx + (h.y * m_cosA - h.x * m_sinA) * f),
                float(m_cy - (d * m_sinAlt + h.z * m_cosAlt) * f)};
    }

    double cx() const { return m_cx; }
    double cy() const { return m_cy; }
    double radius() const { return m_radius; }
    double sinAltitude() const { return m_sinAlt; }
    double cosAltitude() const { return m_cosAlt; }

private:
    double m_cx;
    double m_cy;
    double m_radius;
    double m_sinAlt;
    double m_cosAlt;
    double m_sinA;
    double m_cosA;
};
