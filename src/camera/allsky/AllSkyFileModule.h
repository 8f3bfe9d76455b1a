#pragma once

#include "camera/allsky/AllSkyFitsFile.h"

#include <QByteArray>
#include <QImage>

#include <optional>

struct AllSkyFrame;

// The all-sky image files' FITS (cfitsio) and TIFF (libtiff) code
// (AllSkyFitsWriter, AllSkyTiffWriter) lives in a module loaded with the
// first saved image (DeviceModule); AllSkyFitsFile and AllSkyTiffFile hand
// their calls on to it.
namespace AllSkyFileModule {

inline constexpr const char* kName = "norvane-imagefiles";
inline constexpr const char* kCalls = "norvaneAllSkyFileCalls";

struct Calls {
    std::optional<QByteArray> (*fitsEncode)(const AllSkyFrame& frame, const AllSkyFitsFile::Names& names);
    std::optional<QByteArray> (*tiffEncode)(const QImage& image);
    QImage (*tiffRawImage)(const AllSkyFrame& frame);
};
using GetCalls = const Calls*();

// The module's calls, loaded on the first ask; null, the user told once,
// when the module cannot be had. Thread-safe.
const Calls* calls();

}  // namespace AllSkyFileModule
