#pragma once

#include <QImage>
#include <QString>

// The downloaded camera files are decoded in a module loaded with the first
// one shown (DeviceModule), which LibRaw comes with: it exports
// LibRawStillImage::load as Load.
namespace CanonStillImageModule {

inline constexpr const char* kName = "norvane-libraw";
inline constexpr const char* kLoad = "norvaneLoadStillImage";
using Load = QImage(const QString& path);

}  // namespace CanonStillImageModule
