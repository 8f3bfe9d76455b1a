#pragma once

// The telescope view's scale, derived from the field and the view's width
// (calculateSVAngles). Angles in radians, lengths in points.
struct SVAngles {
    double svAngle = 0.0;   // half the field
    double svDiag = 0.0;    // the square view's half-diagonal, enlarged by 35 %
    double svRadius = 0.0;  // the stereographic scale: svDiag / sin(svAngle)
    double svXLimit = 1.0;  // cosine of the largest distance from the centre still drawn
    float svOffset = 0.0f;  // half the view's width: the view centre on both axes

    // From the field (degrees) and the view's width (points).
    static SVAngles calculate(double fovDegrees, double boundsWidth);

    // How far from the view centre the field's edge is projected (points).
    double fieldEdgeRadius() const;
};
