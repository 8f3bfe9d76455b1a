#pragma once

#include <QImage>
#include <QString>

// Jupiter turning under the telescope view: 180 frames, each 2 degrees of
// System II longitude on from the last, laid left to right and top to bottom
// on one sheet ("JupiterFrames.png" in the photo folder, made by
// tools/make_jupiter_frames.py). Frame 99 shows the Great Red Spot on the
// central meridian.
class JupiterFrames {
public:
    static constexpr int kFrameCount = 180;
    static constexpr int kColumns = 15;
    static constexpr int kSpotFrame = 99;
    static inline const QString kFileName = QStringLiteral("JupiterFrames.png");

    // Reads the sheet once it is first asked for; until it loads, every disc
    // asks again. `grsLong` is the Spot's System II longitude (degrees), kept
    // from the load on.
    bool load(const QString& photoDirectory, double grsLong);
    bool isLoaded() const { return !m_sheet.isNull(); }

    // The frame (half degrees of turn) that puts the Spot at its longitude:
    // 99 - grsLong / 2, plus 180 when negative.
    static double redSpot(double grsLong);
    // The frame showing central meridian `jupIIlong` (degrees): t = redSpot +
    // jupIIlong / 2 taken modulo 180, rounded to a frame of `frameCount`.
    static int frameIndex(double redSpot, double jupIIlong, int frameCount = kFrameCount);

    // The frame for the meridian, or a null image before the sheet loaded.
    QImage frame(double jupIIlong) const;

private:
    QImage m_sheet;
    int m_side = 0;
    double m_redSpot = 0.0;
};
