#pragma once

#include "mount/DebugWriter.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

class SG4Control;

// The SG-4 panel's picture: the last downloaded image at its read-out
// mode's scale with the display exposure applied, and the drag that defines
// the sub-frame square (in full-frame pixels, whatever mode is shown). It
// draws only what the controller holds on the main thread.
class sg4ImageView final : public QWidget {
    Q_OBJECT
public:
    sg4ImageView(SG4Control& control, DebugWriter debug, QWidget* parent = nullptr);

    bool isDragSubRect() const { return m_isDragSubRect; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    SG4Control& m_control;
    DebugWriter m_debug;
    bool m_isDragSubRect = false;
    bool m_moved = false;
    QPoint m_press;
    QRect m_dragRect;
};
