#pragma once

#include "chart/HidesOnDeactivate.h"
#include "chart/ToolTipOwner.h"

// A device panel with tool tips that can hide while the application is
// inactive: the Canon, dome and Digital Dome Works panels.
class ToolPanel : public HidesOnDeactivate, public ToolTipOwner {};
