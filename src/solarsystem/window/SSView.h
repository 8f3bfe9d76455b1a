#pragma once

#include "solarsystem/window/OrbitTable.h"
#include "solarsystem/window/SSImages.h"

#include <QPointF>
#include <QWidget>

#include <optional>

class PrefControl;
class QAbstractButton;
class QLabel;
class QPainter;
class SSBodies;
class SSDrawer;
class SSPlotPainter;
class SSWindow;

// The solar-system window's plot: the planets Mercury to Pluto in their
// orbits seen from outside the solar system, the asteroid belt, the Sun and
// the selected comet's or minor planet's orbit, with a tilt gauge in the
// lower-left corner. The user zooms, tilts, rotates and pans the picture.
// Its coordinates have y upward; the view flips them as it paints.
class SSView final : public QWidget {
    Q_OBJECT
public:
    static constexpr float kMinZoom = 0.1f;
    static constexpr float kMaxZoom = 10.0f;

    // The pictures are read from `resourcesFolder` when the plot is first
    // drawn: a program that never shows the window never holds them.
    SSView(const PrefControl& prefControl, SSBodies& bodies, QString resourcesFolder,
           QWidget* parent = nullptr);

    // The window's parts the plot works with; all outlive the plot.
    void setOutlets(SSWindow* window, SSDrawer* drawer, QAbstractButton* drawerDisc,
                    QLabel* dateText, QLabel* angleText, QLabel* rotateText);

    // The selected body's orbit: e, i, q (AU), longitude, w, node (radians).
    void setPlot9(float e, float i, float q, float longitude, float w, float node);

    void setZoom(float zoom) { m_zoom = zoom; }
    // Degrees on the tilt slider's scale, 0 (from the north side) to 180.
    void setAngle(float degrees);
    // Degrees.
    void setRotate(float degrees);
    void setDidResize(bool didResize) { m_didResize = didResize; }
    float zoom() const { return m_zoom; }
    // Radians.
    float angle() const { return m_angle; }
    float rotate() const { return m_rotate; }
    // Where the Sun is, view coordinates (y upward).
    QPointF sunOffset() const { return {m_hOffset, m_vOffset}; }
    const OrbitTable& orbitTable() const { return m_table; }

    void updateBottomPanel();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Opening the drawer narrows the plot without resizing the window; the
    // Sun must keep its place then too.
    void resizeEvent(QResizeEvent* event) override;
    // A plain wheel zooms about the pointer and rotates; with Alt, Shift or
    // Ctrl it tilts and steps the date.
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void drawRect(QPainter& painter, const QRectF& rect);
    double scaleAndPan(const QRectF& rect);
    void drawSmallBody(SSPlotPainter& plot);
    void changedByInput();
    // Moves the Sun so the coming change of scale by `ratio` keeps the
    // place under `pointer` (view coordinates, y down) where it is.
    void keepPlaceWhileZooming(QPointF pointer, double ratio);

    const PrefControl& m_prefControl;
    SSBodies& m_bodies;
    const QString m_resourcesFolder;
    std::optional<SSImages> m_images;
    SSWindow* m_window = nullptr;
    SSDrawer* m_drawer = nullptr;
    QAbstractButton* m_drawerDisc = nullptr;
    QLabel* m_dateText = nullptr;
    QLabel* m_angleText = nullptr;
    QLabel* m_rotateText = nullptr;

    OrbitTable m_table = OrbitTable::builtIn();
    float m_zoom = 1.0f;
    float m_angle;
    float m_rotate = 0.0f;
    float m_hOffset = 0.0f;
    float m_vOffset = 0.0f;
    float m_oldMidX = 0.0f;
    float m_oldMidY = 0.0f;
    double m_oldRatio = 0.0;
    bool m_didResize = true;
    bool m_isStarted = false;
    QPointF m_dragPoint;
};
