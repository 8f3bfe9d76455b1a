#pragma once

// The chart's sticky click modes: the context menu and the toolbar set them,
// the next click takes them.
struct ClickModes {
    bool isHandMove = false;
    bool isAngleSep = false;
    bool isCopy = false;
    // Setting these on acts at once and sets them off again.
    bool isTrack = false;
    bool isCenter = false;
};
