#pragma once

#include <QPointF>
#include <QRectF>

// The terminator of a disc lit in phase: a circle through the disc's top
// and bottom whose side of the disc is lit or dark, as the chart's Moon and
// the telescope view's Moon, Mercury and Venus draw it. Lengths in points.
struct PhaseTerminator {
    double rho;         // radius of the terminator circle, at most 2000
    double offset;      // its centre lies sigma x offset from the disc centre …
    int sigma;          // … along the disc's x axis (or the terminator angle's)
    bool isDarkInside;  // inside the circle lies the dark part (else the lit part)

    // `h` the disc's radius, `phase` the illuminated percent (negative on
    // the waning side): 50 gives a straight line, nearer 0 or 100 a circle
    // hugging the limb.
    static PhaseTerminator of(double h, double phase);

    // The circle's square for a disc centred on `p`, its axis along x.
    QRectF square(QPointF p) const
    {
        return {p.x() - rho + sigma * offset, p.y() - rho, 2.0 * rho, 2.0 * rho};
    }
};
