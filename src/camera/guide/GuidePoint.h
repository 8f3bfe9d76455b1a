#pragma once

// A point on the guide picture in pixels: x the column, y the row from the
// first row of the frame. The zero point means "no point" throughout the
// guider (no hint, no star measured).
struct GuidePoint {
    float x = 0.0f;
    float y = 0.0f;

    bool isZero() const { return x == 0.0f && y == 0.0f; }
    bool operator==(const GuidePoint&) const = default;
};

// The pixels a hot pixel spoils: a whole-number origin and a size.
struct GuideRect {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    // The platform's point-in-rectangle rule: the far edges lie outside.
    bool contains(int px, int py) const
    {
        return float(px) >= x && float(px) < x + width && float(py) >= y && float(py) < y + height;
    }
    bool operator==(const GuideRect&) const = default;
};
