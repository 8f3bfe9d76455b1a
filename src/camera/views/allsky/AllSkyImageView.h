#pragma once

#include "mount/DebugWriter.h"

#include <QPointF>
#include <QRectF>
#include <QWidget>

class AllSkySession;

// The all-sky picture: the session's processed image drawn where its
// read-out mode puts it in a 640 x 480 area (black elsewhere), and the
// sub-frame square dragged out with the mouse, 10 to 127 pixels on a side.
class AllSkyImageView final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinSide = 10;
    static constexpr int kMaxSide = 127;

    AllSkyImageView(AllSkySession& session, DebugWriter debug, QWidget* parent = nullptr);

    // Where the picture was last drawn, in the widget's coordinates.
    QRectF drawnRect() const { return m_drawnRect; }
    bool isDragSubRect() const { return m_isDragSubRect; }
    // The square being dragged, origin at the area's bottom left.
    QRectF dragRect() const { return m_dragRect; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A widget point with the origin at the bottom left.
    static QPointF flipped(const QPointF& point);

    AllSkySession& m_session;
    DebugWriter m_debug;
    QRectF m_drawnRect;
    QRectF m_dragRect;
    QPointF m_start;
    QPointF m_origin;
    double m_side = 0;
    bool m_isOriginHeld = false;
    bool m_isDragSubRect = false;
};
