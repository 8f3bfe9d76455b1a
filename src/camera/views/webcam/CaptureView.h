#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QWidget>

#include <optional>

class WebCamController;
class WebcamGuideLink;

// Shows the webcam's processed frames, 640 x 480 points, the picture scaled
// with its aspect ratio kept on black. A Shift-click marks the hot pixel for
// the guider (at zoom 1 only: the frame pixel drawn under the click, rows
// counted from the top); a plain click drops it, and dragging pans the
// zoomed picture.
class CaptureView final : public QWidget {
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;
    static constexpr char kScaleAlert[] = "Scale must be 1 for hot pixel selection.";

    CaptureView(WebCamController& controller, QWidget* parent = nullptr);

    void setGuide(WebcamGuideLink* guide) { m_guide = guide; }
    void setFrame(const QImage& frame);
    const QImage& frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Mouse position with the origin at the bottom left, y upward.
    QPointF viewPoint(const QMouseEvent& event) const;
    // Where the frame is drawn, in widget coordinates.
    QRectF pictureRect() const;
    // The frame pixel drawn at widget `position`; none outside the picture.
    std::optional<QPointF> framePixel(QPointF position) const;

    WebCamController& m_controller;
    WebcamGuideLink* m_guide = nullptr;
    QImage m_frame;
    QPointF m_last;
    bool m_isPanning = false;
};
