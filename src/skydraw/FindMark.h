#pragma once

#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"

#include <QPointF>

// The mark of the find selection: its image (red in night vision) with its
// lower-left corner 10 points left of and below the object, at the finder's
// blinking opacity.
namespace FindMark {

inline void draw(ChartCanvas& canvas, const ChartImageSet& images, bool isNightVision, QPointF at,
                 float markAlpha)
{
    const QImage& mark = images.symbol(isNightVision ? ChartImageSet::Symbol::NVFindMark
                                                     : ChartImageSet::Symbol::FindMark);
    canvas.drawImage(QPointF(at.x() - 10.0, at.y() - 10.0), mark, markAlpha);
}

}  // namespace FindMark
