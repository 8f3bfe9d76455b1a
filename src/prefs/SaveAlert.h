#pragma once

#include <QString>

// A write of the settings file that failed (a save the user asked for, or a
// change written a moment later) is told to the user, not lost; so is a
// save that another program's hold on the file keeps waiting long.
namespace SaveAlert {

// The alert for a write that failed with `reason`.
void alert(const QString& reason);
// The notice for changes that wait, kept, for the file: `reason` says why.
void waiting(const QString& reason);

}  // namespace SaveAlert
