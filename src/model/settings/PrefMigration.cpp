#include "model/settings/PrefMigration.h"

#include "platform/SafeWrite.h"

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
    // A failed copy leaves no file of ours, so the next launch tries again.
    QFile earlier(earlierFile);
    if (!earlier.open(QIODevice::ReadOnly))
        return Result::CopyFailed;
    const QByteArray bytes = earlier.readAll();
    if (earlier.error() != QFileDevice::NoError || !QDir().mkpath(QFileInfo(file).absolutePath())
        || !SafeWrite::replace(file, bytes).isEmpty())
        return Result::CopyFailed;
    return QFile::remove(earlierFile) ? Result::Moved : Result::RemoveFailed;
}

}  // namespace PrefMigration
