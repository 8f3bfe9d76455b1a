#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>

#include <functional>
#include <vector>

class ChartCanvas;

// A large drawing that stays the same frame after frame while only the view
// moves along (the mist along the horizon under a pan): once it is drawn
// from the same numbers twice running, it is kept as a picture of its
// pixels and copied back, the same pixels as drawing it, for a fraction of
// its cost. Drawn directly where a point is not a pixel or the painter's
// opacity or blending would treat the copy otherwise.
class KeptPicture {
public:
    // Draws with `paint`, or from the picture where `key` (the numbers the
    // drawing is made from) and the canvas are as when it was kept.
    void draw(ChartCanvas& canvas, std::vector<double> key, const std::function<void(ChartCanvas&)>& paint);
    // Whether the last draw copied the kept picture.
    bool wasKept() const { return m_wasKept; }

private:
    struct Geometry {
        QSize device;
        QPoint origin;  // of the canvas's device space on the device
        double height = 0.0;
        QPainter::RenderHints hints;
        bool operator==(const Geometry&) const = default;
    };
    void keep(ChartCanvas& canvas, const std::function<void(ChartCanvas&)>& paint);

    std::vector<double> m_key;
    Geometry m_geometry;
    bool m_isRepeated = false;  // the key and canvas were as the frame before
    QImage m_picture;           // the drawing's non-clear pixels; null until kept
    QPoint m_topLeft;           // the picture's top-left corner in the canvas's device space
    bool m_wasKept = false;
};
