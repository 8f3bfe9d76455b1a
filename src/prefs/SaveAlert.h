#pragma once

class PrefControl;

// A save the user asked for (a site, a telescope, the eyepieces, a shortcut)
// reaches the settings file at once, and a failure is told, not lost.
namespace SaveAlert {

// Writes the settings file; when it could not be written, alerts with the
// reason and returns false (the file keeps its earlier content).
bool writeOrAlert(PrefControl& prefs);

}  // namespace SaveAlert
