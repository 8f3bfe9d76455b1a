// The entry of the camera file module.
#include "camera/views/canon/CanonStillImageModule.h"
#include "camera/views/canon/LibRawStillImage.h"

extern "C" Q_DECL_EXPORT QImage norvaneLoadStillImage(const QString& path)
{
    return LibRawStillImage::load(path);
}
