#pragma once

#include "camera/guide/GuidePoint.h"
#include "camera/image/FocusImage.h"
#include "mount/DebugWriter.h"

#include <vector>

// The picture side of the guider: a private copy of the camera's frame (the
// guide buffer), the search for the guide star, its intensity-weighted
// centroid and the hot-pixel rectangle the search leaves out.
//
// Every search area is cut to the frame: boxes on frames narrower or lower
// than 60 pixels and hot-pixel squares near an edge read only the pixels
// that exist, while the background divisor stays 3600.
class StarCentroid {
public:
    static constexpr int kBoxHalf = 30;
    static constexpr int kBackgroundDivisor = 3600;
    static constexpr int kLeastContrast = 40;
    static constexpr double kThresholdFraction = 0.8;
    static constexpr int kLeastPixels = 2;
    static constexpr int kHotSquare = 10;
    static constexpr int kHotRect = 5;

    explicit StarCentroid(DebugWriter debug = {}) : m_debug(std::move(debug)) {}

    void setFrameSource(FocusImage* source) { m_source = source; }
    FocusImage* frameSource() const { return m_source; }

    // With a hint, the star in the 60 × 60 box around it; with the zero point
    // the brightest pixel of the frame, or the hot-pixel rectangle when a new
    // hot point waits. The centroid, or the zero point when none was measured.
    GuidePoint starCentroid(GuidePoint hint);

    // Drops the guide buffer; with `allocate` makes one of the camera's size now.
    void setGuideBuff(bool allocate);

    GuideRect skipRect() const { return m_skipRect; }
    void resetSkipRect() { m_skipRect = {}; }
    GuidePoint hotPoint() const { return m_hotPoint; }
    void setHotPoint(GuidePoint point) { m_hotPoint = point; }
    bool isNewSkip() const { return m_isNewSkip; }
    void setIsNewSkip(bool waiting) { m_isNewSkip = waiting; }
    bool doHotPixel() const { return m_doHotPixel; }
    void setDoHotPixel(bool on) { m_doHotPixel = on; }
    // Keeps the debug lines quiet (while calibrating).
    void setQuiet(bool quiet) { m_quiet = quiet; }

private:
    struct Box {
        int left, top, right, bottom;  // right and bottom excluded
        int centreX, centreY;
    };
    struct Peak {
        int value = -1;
        int x = 0;
        int y = 0;
    };

    // The 60 × 60 box centred on (x, y), the centre kept 30 pixels from the
    // edges and the box cut to the frame.
    Box boxAround(int x, int y) const;
    bool skips(int x, int y) const { return m_doHotPixel && m_skipRect.contains(x, y); }
    // The brightest pixel of `box` row by row, the first of equals winning;
    // `value` stays -1 when every pixel was skipped or the box is empty.
    Peak brightest(const Box& box, bool skipHot) const;
    int backgroundOf(const Box& box) const;
    void makeSkipRect();
    GuidePoint weightedCentre(const Box& box, int background, int peak) const;
    int pixel(int x, int y) const { return m_guideBuff[size_t(y) * size_t(m_width) + size_t(x)]; }

    DebugWriter m_debug;
    FocusImage* m_source = nullptr;
    std::vector<quint8> m_guideBuff;
    const quint8* m_guideFocusBuff = nullptr;
    int m_width = 0;
    int m_height = 0;
    bool m_doHotPixel = false;
    GuidePoint m_hotPoint;
    bool m_isNewSkip = false;
    GuideRect m_skipRect;
    bool m_quiet = false;
};
