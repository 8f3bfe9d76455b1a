#pragma once

#include "platform/widgets/HidesOnDeactivate.h"
#include "platform/widgets/ToolTipOwner.h"

// A device panel with tool tips that can hide while the application is
// inactive: the Canon, dome and Digital Dome Works panels.
class ToolPanel : public HidesOnDeactivate, public ToolTipOwner {};
