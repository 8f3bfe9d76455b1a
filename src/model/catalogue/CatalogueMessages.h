#pragma once

#include <QString>

#include <optional>

// The outcome of loading or building a table: nothing on success, else the
// message the "Startup Failed" alert shows.
using TableError = std::optional<QString>;

// The catalogue store's failure messages, exactly as the user sees them.
namespace CatalogueMessages {

inline constexpr char kCanNotOpenRequiredFile[] = "Can not open required file.";
inline constexpr char kCanNotAllocateMemory[] = "Can not allocate memory.";

inline constexpr char kCanNotBuildStarData[] = "Can not build star data.";
inline constexpr char kCanNotWriteStarData[] = "Can not write star data.";
inline constexpr char kStarNumberError[] = "Star number error.";

inline constexpr char kCanNotBuildDeepSkyData[] = "Can not build deep sky data.";
inline constexpr char kCanNotWriteDeepSkyData[] = "Can not write deep sky data.";
inline constexpr char kDeepSkyNumberError[] = "Deep Sky number error.";

inline constexpr char kCanNotBuildConstellationData[] = "Can not build constellation data.";
inline constexpr char kBoundaryAccessError[] = "Constellation boundary access error.";
inline constexpr char kBoundaryNumberError[] = "Constellation boundary number error.";
inline constexpr char kCanNotBuildRAGridData[] = "Can not build RA Grid data.";
inline constexpr char kCanNotBuildAltAzGridData[] = "Can not build AltAz grid data.";

}  // namespace CatalogueMessages
