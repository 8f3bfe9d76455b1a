#pragma once

#include "skydraw/LabelCache.h"

#include <QImage>
#include <QRectF>
#include <QString>

class ChartCanvas;

// What the chart shows while the program launches: a light frame, the
// splash picture fitted into the view and centred, and the current stage's
// label at the top left.
class SplashPainter {
public:
    // `imagesDirectory` holds "AntiqueMapComp.jpg" and ends in "/".
    explicit SplashPainter(QString imagesDirectory);

    // Over the black-filled `rect`; stage 1 to 4, none below 1.
    void paint(ChartCanvas& canvas, const QRectF& rect, int launchCount, const TextAttributes& labelAttributes);
    // The picture is not needed once the sky is drawn.
    void release() { m_image = QImage(); }

    // The label of stage 1 to 4; empty for another.
    static QString stageLabel(int stage);
    // The picture's size fitted into a rectangle of size `area`.
    static QSizeF fittedSize(QSizeF image, QSizeF area);

private:
    QString m_imagesDirectory;
    QImage m_image;
    bool m_isLoaded = false;
    LabelCache m_label;
};
