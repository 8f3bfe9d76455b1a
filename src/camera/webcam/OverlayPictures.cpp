#include "camera/webcam/OverlayPictures.h"

namespace {

QImage picture(const QString& resources, const char* name)
{
    const QImage image(resources + QStringLiteral("/Buttons/") + QLatin1String(name));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

OverlayPictures OverlayPictures::load(const QString& resources)
{
    return {picture(resources, "Marker.png"),    picture(resources, "Grid.png"),
            picture(resources, "Grid1280.png"),  picture(resources, "GuideGrid.png"),
            picture(resources, "CalMark.png"),   picture(resources, "HotPixelRect.png")};
}
