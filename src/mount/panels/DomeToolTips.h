#pragma once

// The dome panels' tool tips; the Digital Dome Works panel shares the board
// panel's texts for the controls both have.
namespace DomeToolTips {

inline constexpr char kX[] = "Distance of GEM center from dome N/S line. + if East, - if West. If your mount is on the N/S line this is 0.";
inline constexpr char kY[] = "Distance of GEM center from dome E/W line. + if North, - if South. If your mount is on the E/W line this is 0.";
inline constexpr char kZ[] = "Distance of GEM center from dome rail plane (not the observatory floor!). + if above, - if below. ";
inline constexpr char kBigR[] = "Dome radius.";
inline constexpr char kSmallR[] = "Distance of GEM center from the OTA optical center.";
inline constexpr char kFlip[] = "GEM flip safety limit in degrees past meridian.";
inline constexpr char kHome[] = "Enter the azimuth of the Home position. Enter 0 if Home is due north.";
inline constexpr char kDelta[] = "Adjust so that the dome starts to move just before the view is blocked.";
inline constexpr char kFrequency[] = "Enter how often the scope azimuth is checked during tracking.";
inline constexpr char kTicks[] = "The total number of ticks for 360° of rotation. Calibration calculates this.";
inline constexpr char kCoast[] = "The number of ticks the dome drifts after the motor is stopped. Calibration calculates this.";
inline constexpr char kShutterBox[] = "Check this if you have connected the board outputs to the shutter motor (external relays needed).";
inline constexpr char kDirectionBox[] = "Check this if you can rotate the dome in both directions.";
inline constexpr char kMountType[] = "Select your mount type - Fork or German Equatorial Mount.";
inline constexpr char kCalibrate[] = "Starts/Stops the rotation calibration sequence.";
inline constexpr char kConnect[] = "Connects/Disconnects to the control board.";
inline constexpr char kTrack[] = "Starts/Stops automatic scope azimuth tracking.";
inline constexpr char kRotateEast[] = "Hold down this button to move the dome west to east.";
inline constexpr char kRotateWest[] = "Hold down this button to move the dome east to west.";
inline constexpr char kOpen[] = "Hold down this button to open the shutter.";
inline constexpr char kClose[] = "Hold down this button to close the shutter.";
inline constexpr char kSync[] = "Sets the calculated dome azimuth to the current scope azimuth. Use this only if the dome gets out of sync.";
inline constexpr char kFindHome[] = "Starts the Find Home sequence.";
inline constexpr char kSave[] = "Saves the setup data.";
inline constexpr char kPolarity[] = "Check if the input sensor is on at 5VDC. If it is on at ground do not check.";
inline constexpr char kTrain[] = "Starts the dome training process.";
inline constexpr char kAllStop[] = "Stops all motor activity.";
inline constexpr char kGoto[] = "Enter the desired dome azimuth and hit enter.";

}  // namespace DomeToolTips
