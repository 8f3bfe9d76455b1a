#pragma once

#include <QString>

// Moves the earlier edition's settings file into place, once per user.
namespace PrefMigration {

enum class Result {
    NothingToMove,   // no earlier file
    Moved,           // copied to ours, then the earlier file removed
    KeptBoth,        // ours already exists: both files stay as they are
    CopyFailed,      // the copy failed: the earlier file stays, ours is not created
    RemoveFailed,    // copied, but the earlier file could not be removed
};

// Copies `earlierFile` to `file` only when `file` does not exist, and removes
// `earlierFile` only after the copy succeeded.
Result moveEarlierEdition(const QString& earlierFile, const QString& file);

}  // namespace PrefMigration
