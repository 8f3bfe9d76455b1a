#pragma once

#include "camera/views/canon/CanonFrameFilter.h"
#include "mount/DebugWriter.h"

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QWidget>

class CanonControl;

// The picture in the Canon panel: the live-view stream or the last
// downloaded image, through the exposure and saturation filters, with the
// zoom clicks, the centre grid and the 8-bit grey focus image the focusers
// measure.
class CanonImageView : public QWidget {
    Q_OBJECT
public:
    CanonImageView(CanonControl& control, DebugWriter debug, QWidget* parent = nullptr);
    ~CanonImageView() override;

    void setIsCanonScaleImage(bool scale);
    bool isCanonScaleImage() const { return m_isCanonScaleImage; }

    // The focus image: lvWidth x lvHeight bytes, rows from the top. A
    // consumer clears the flag to ask for the next one.
    const QByteArray& canonFocusBuff() const { return m_canonFocusBuff; }
    float lvWidth() const { return m_lvWidth; }
    float lvHeight() const { return m_lvHeight; }
    bool hasCanonFocusImage() const { return m_hasCanonFocusImage; }
    void setHasCanonFocusImage(bool has) { m_hasCanonFocusImage = has; }

    // The part of the picture drawn; empty when there is none.
    QRectF sourceRect() const;

    QSize sizeHint() const override { return {528, 352}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The controller has a new frame or image, or new settings.
    void refresh();
    void showStill();
    void showLiveFrame();
    void drawGrid(QPainter& painter) const;

    CanonControl& m_control;
    DebugWriter m_debug;
    CanonFrameFilter m_filter;
    QImage m_still;  // the still image as loaded
    QImage m_shown;  // what is drawn, filtered
    bool m_isLive = false;
    QRect m_liveRect;
    QByteArray m_canonFocusBuff;
    float m_lvWidth = 0;
    float m_lvHeight = 0;
    bool m_hasCanonFocusImage = false;
    bool m_isCanonScaleImage = false;
    bool m_isCanonScaleOption = false;
    QPointF m_canonMouseLoc;
};
