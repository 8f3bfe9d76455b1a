#pragma once

// The Canon panel's tool tips.
namespace CanonToolTips {

inline constexpr char kExpose[] = "Select to begin exposure. Select to abort exposure while exposing.";
inline constexpr char kSaveToCamera[] = "Select to save images on the camera memory card.";
inline constexpr char kSaveToMac[] = "Select to download images to your Mac.";
inline constexpr char kISO[] = "Select the camera's ISO setting.";
inline constexpr char kExposureTime[] = "Select the exposure time from the list or enter a time in seconds.";
inline constexpr char kNumExposures[] = "Select the number of exposures to take.";
inline constexpr char kLiveView[] = "Select to turn on the camera's Live View function.";
inline constexpr char kGrid[] = "Select to display a center grid in the image.";
inline constexpr char kFocusExposure[] = "You can alter the Live View effective exposure with this control.";
inline constexpr char kDelay[] = "Sets the delay time between exposures";
inline constexpr char kBattery[] = "Indicates the camera's battery level.";
inline constexpr char kWhiteBalance[] =
    "Alter the white balance color temperature. Range is 2800 to 10000\u00B0K. The mark is daylight (5200\u00B0K).";
inline constexpr char kSaturation[] = "Adjust the image color saturation.";
inline constexpr char kRecord[] = "Select to start/stop recording the Live View as a movie.";
inline constexpr char kMovieFrames[] =
    "Enter the number of movie frames to record. Enter 0 to record until manually stopped.";
inline constexpr char kMovieQuality[] = "Select normal or maximum quality for the recorded movie.";

}  // namespace CanonToolTips
