#include "scopeview/PlusDarker.h"

#include <QImage>

#include <algorithm>

void plusDarker(QImage& destination, const QImage& layer, double opacity)
{
    if (destination.size() != layer.size() || destination.format() != QImage::Format_ARGB32_Premultiplied
        || layer.format() != QImage::Format_ARGB32_Premultiplied)
        return;
    const int o = std::clamp(int(opacity * 256.0 + 0.5), 0, 256);
    for (int y = 0; y < destination.height(); ++y) {
        auto* d = reinterpret_cast<QRgb*>(destination.scanLine(y));
        const auto* s = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        for (int x = 0; x < destination.width(); ++x) {
            const int a = qAlpha(s[x]);
            if (a == 0)
                continue;
            // Laid over white, the layer darkens each channel by alpha - colour.
            const auto darker = [&](int dc, int sc) { return std::max(0, dc - (((a - sc) * o) >> 8)); };
            d[x] = qRgba(darker(qRed(d[x]), qRed(s[x])), darker(qGreen(d[x]), qGreen(s[x])),
                         darker(qBlue(d[x]), qBlue(s[x])), qAlpha(d[x]));
        }
    }
}
