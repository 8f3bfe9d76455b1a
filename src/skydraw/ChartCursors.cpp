#include "skydraw/ChartCursors.h"

#include "platform/widgets/ImageFile.h"

#include <QPixmap>

namespace {

QCursor cursorFrom(const QString& file, int hotX, int hotY, Qt::CursorShape fallback)
{
    const QPixmap image = QPixmap::fromImage(ImageFile::image(file));
    if (image.isNull())
        return QCursor(fallback);
    return QCursor(image, hotX, hotY);
}

}  // namespace

ChartCursors ChartCursors::load(const QString& imagesDirectory)
{
    return {
        cursorFrom(imagesDirectory + "TargetCursor.png", 8, 8, Qt::CrossCursor),
        cursorFrom(imagesDirectory + "NVTargetCursor.png", 8, 8, Qt::CrossCursor),
        cursorFrom(imagesDirectory + "AngleSepCursor.png", 0, 14, Qt::PointingHandCursor),
    };
}
