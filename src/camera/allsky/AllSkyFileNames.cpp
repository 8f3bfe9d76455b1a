#include "camera/allsky/AllSkyFileNames.h"

#include "camera/allsky/AllSkyFrame.h"

#include <QFileInfo>

namespace AllSkyFileNames {

QString suffix(quint8 imageType, bool isDarkMarked, Format format)
{
    const QString extension = format == Format::Fits ? QStringLiteral(".fits") : QStringLiteral(".tiff");
    switch (imageType) {
    case AllSkyFrame::kDarkType: return QStringLiteral("(Dark)-%1") + extension;
    case AllSkyFrame::kAutoType: return QStringLiteral("(Auto)-%1") + extension;
    default:
        return (isDarkMarked ? QStringLiteral("(Light)-%1D") : QStringLiteral("(Light)-%1")) + extension;
    }
}

Numbered firstFree(const QString& base, const QString& pattern)
{
    for (int n = 1; n <= kMaxNumber; ++n) {
        const QString path = base + QString(pattern).replace(QStringLiteral("%1"), QString::number(n));
        if (!QFileInfo::exists(path))
            return {path, n};
    }
    return {};
}

}  // namespace AllSkyFileNames
