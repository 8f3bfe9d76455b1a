#pragma once

#include <QString>

// A write of the settings file that failed (a save the user asked for, or a
// change written a moment later), or that another program's hold on the
// file keeps waiting long, is told to the user, not lost.
namespace SaveAlert {

// The alert for a write that failed with `reason`.
void alert(const QString& reason);

}  // namespace SaveAlert
