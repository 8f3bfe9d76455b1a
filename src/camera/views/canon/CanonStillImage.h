#pragma once

#include <QImage>
#include <QString>

// A downloaded camera file as a picture: what Qt's readers decode (JPEG,
// TIFF, ...), else a raw file through LibRaw, by its embedded preview or,
// without one, a half-size decode. The decoding is the camera file module's
// (LibRawStillImage), loaded with the first file.
namespace CanonStillImage {

// The largest file read.
inline constexpr qint64 kMaxFileBytes = 1LL << 30;

// A null image when the file cannot be read or decoded, or when the module
// is missing (the user told).
QImage load(const QString& path);

}  // namespace CanonStillImage
