#pragma once

#include "camera/canon/CanonControl.h"

class QWidget;

// The save panel in which the user names the base of the Canon images
// (or movies): a folder and a name without an extension.
namespace CanonBaseNameDialog {

// The chosen path, empty when cancelled.
QString choose(const CanonControl::BaseNameRequest& request, QWidget* parent);

}  // namespace CanonBaseNameDialog
