#pragma once

#include "skydraw/MovingSky.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QTransform>

#include <chrono>
#include <span>
#include <unordered_map>

class ChartCanvas;
struct AlphaMap;

// Large turned pictures (the mythological figures) as the screen shows
// them. Once a figure holds still for two frames (its turn and size within a
// pixel of where it was) it is turned, scaled and smoothed once into a
// picture of its own, which later frames only shift until it turns or grows
// by more than a pixel: turning and filtering a figure costs far more than
// copying it. While the view pans the figures turn, and are drawn directly:
// unsmoothed while the sky moves (nearest sampling stays within a pixel of
// the smoothed drawing for about two thirds of its cost), smoothed on a
// first appearance and once the sky holds still.
class TurnedFigureCache {
public:
    // The image, only its parts `tiles`, scaled into `rect` of the local
    // system that `local` (a turn about the rectangle's centre) maps into
    // chart coordinates; `key` names the picture between frames; `alpha`,
    // the image's alpha map if it has one, is sampled instead of the image
    // while the sky moves. Drawn directly where the canvas is not pixel for
    // point or the picture would be too large to keep.
    void draw(ChartCanvas& canvas, int key, const QTransform& local, const QRectF& rect, const QImage& image,
              std::span<const QRect> tiles, const AlphaMap* alpha);
    // Drops the pictures not drawn since the last call: those of figures
    // that left the chart.
    void endFrame();
    // Whether the frame that endFrame() closed drew a figure unsmoothed: the
    // same view painted again draws it smoothed.
    bool wasRough() const { return m_wasRough; }
    // For tests: how recent the last frame must be for the sky to count as
    // moving.
    void setMovingPaints(std::chrono::milliseconds interval) { m_movingPaints = interval; }

    // Largest picture kept, in pixels.
    static constexpr double kMaxPixels = 2.0e6;

private:
    struct Turned {
        qint64 sourceKey = 0;
        double angle = 0.0;     // radians
        QSizeF size;            // of the scaled rectangle, in points
        QPointF offset;         // picture's lower-left corner from the rectangle's centre
        QImage picture;  // null until the figure held still
        int stillFrames = 0;
        bool isUsed = false;
        QTransform lastLocal;  // the placement of the last frame
        QRectF lastRect;
    };

    static bool fits(const Turned& turned, qint64 sourceKey, double angle, QSizeF size);
    static Turned make(ChartCanvas& canvas, const QTransform& local, const QRectF& rect, const QImage& image,
                       std::span<const QRect> tiles, double angle);

    std::unordered_map<int, Turned> m_turned;
    QElapsedTimer m_sinceLastFrame;
    std::chrono::milliseconds m_movingPaints = kMovingSkyPaints;
    bool m_isRough = false;
    bool m_wasRough = false;
};
