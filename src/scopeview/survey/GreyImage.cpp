#include "scopeview/survey/GreyImage.h"

#include <QColor>

namespace {

constexpr double kRedWeight = 0.2125;
constexpr double kGreenWeight = 0.7154;
constexpr double kBlueWeight = 0.0721;

}  // namespace

namespace GreyImage {

QImage desaturated(const QImage& image)
{
    if (image.isNull())
        return {};
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb p = line[x];
            const int l = qRound(kRedWeight * qRed(p) + kGreenWeight * qGreen(p)
                                 + kBlueWeight * qBlue(p));
            line[x] = qRgba(l, l, l, qAlpha(p));
        }
    }
    return grey;
}

}  // namespace GreyImage
