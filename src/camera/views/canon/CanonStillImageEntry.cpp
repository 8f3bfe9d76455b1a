// The entry of the camera file module.
#include "camera/views/canon/CanonStillImage.h"
#include "camera/views/canon/CanonStillImageModule.h"

extern "C" Q_DECL_EXPORT QImage norvaneLoadStillImage(const QString& path)
{
    return CanonStillImage::load(path);
}
