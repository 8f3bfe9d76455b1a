#pragma once

// The four-character codes of the events exchanged with the outside
// observing planner and guiding program, and of their parameters.
namespace AppleEventCodes {

inline constexpr char kPlannerClass[] = "misc";
inline constexpr char kScopeObject[] = "evSP";
inline constexpr char kMessage[] = "eMSG";
inline constexpr char kPositionRequest[] = "evGP";
inline constexpr char kChartClick[] = "evEX";
inline constexpr char kGuideClass[] = "phdG";
inline constexpr char kGuide[] = "evGD";
inline constexpr char kPlannerSignature[] = "agLi";

inline constexpr char kRA[] = "prRA";
inline constexpr char kDec[] = "prDE";
inline constexpr char kMagnitude[] = "prMG";
inline constexpr char kSize[] = "prSZ";
inline constexpr char kId[] = "prID";
inline constexpr char kName[] = "prNM";
inline constexpr char kType[] = "prTP";
inline constexpr char kClickFlag[] = "prSL";
inline constexpr char kMessageText[] = "pMSG";
inline constexpr char kEastWest[] = "prEW";
inline constexpr char kNorthSouth[] = "prNS";
inline constexpr char kResultCode[] = "prRC";

// Buffer sizes of the incoming texts, the terminating NUL included.
inline constexpr int kNameBuffer = 65;
inline constexpr int kMessageBuffer = 256;
// Bytes kept of the clicked object's id and name.
inline constexpr int kPlannerTextBytes = 63;

}  // namespace AppleEventCodes
