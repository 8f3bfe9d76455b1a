#pragma once

class QImage;

// The plus-darker composite, which QPainter lacks: each colour channel of
// the destination becomes max(0, D + S - 1), S the layer's colour laid over
// white at `opacity`, so a transparent layer pixel leaves the destination as
// it was and an opaque black one at full opacity blacks it out. Both images
// are premultiplied ARGB of the same size; the destination's alpha stays.
void plusDarker(QImage& destination, const QImage& layer, double opacity);
