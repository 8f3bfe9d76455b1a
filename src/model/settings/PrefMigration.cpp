#include "model/settings/PrefMigration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace PrefMigration {

Result moveEarlierEdition(const QString& earlierFile, const QString& file)
{
    if (!QFileInfo::exists(earlierFile))
        return Result::NothingToMove;
    if (QFileInfo::exists(file))
        return Result::KeptBoth;
    if (!QDir().mkpath(QFileInfo(file).absolutePath()) || !QFile::copy(earlierFile, file)) {
        // Ours did not exist before, so whatever a failed copy left is half a
        // file; without it the next launch tries again.
        QFile::remove(file);
        return Result::CopyFailed;
    }
    return QFile::remove(earlierFile) ? Result::Moved : Result::RemoveFailed;
}

}  // namespace PrefMigration
