#include "solarsystem/smallbodies/CometTable.h"

#include "model/records/TvkFile.h"
#include "platform/AlertPanel.h"
#include "solarsystem/smallbodies/CometImport.h"
#include "solarsystem/smallbodies/ElementFile.h"

#include <new>
#include <string_view>

namespace {

const QString kStartupError = QStringLiteral("Startup Error");

bool build(const QString& elementPath, const QString& cachePath, std::vector<comet>& comets)
{
    const std::optional<QByteArray> text = ElementFile::readAscii(elementPath);
    if (!text) {
        AlertPanel::runAlert(kStartupError, QStringLiteral("Can not open comet database file."));
        return false;
    }
    CometImport::Result result =
        CometImport::parse(std::string_view(text->constData(), std::size_t(text->size())));
    switch (result.status) {
    case CometImport::Status::FormatError:
        AlertPanel::runAlert(QStringLiteral("Comet database error"),
                             QStringLiteral("Format error in comet build data file."));
        return false;
    case CometImport::Status::RangeError:
        AlertPanel::runAlert(kStartupError, QStringLiteral("Comet database build error."));
        return false;
    case CometImport::Status::Ok:
        break;
    }
    if (!TvkFile::save<comet>(cachePath, result.comets)) {
        AlertPanel::runAlert(kStartupError, QStringLiteral("Can not write comet data."));
        return false;
    }
    comets.swap(result.comets);
    return true;
}

}  // namespace

namespace CometTable {

bool createCometData(bool rebuild, const QString& buildDirectory,
                     const QString& databaseDirectory, std::vector<comet>& comets)
{
    const QString cachePath = databaseDirectory + QLatin1String(kCacheFile);
    try {
        std::vector<comet> cached;
        if (!rebuild && TvkFile::load(cachePath, cached)) {
            if (cached.size() < kMinimumCacheRecords) {
                AlertPanel::runAlert(QStringLiteral("Startup Failed"),
                                     QStringLiteral("Comet database error."));
                return false;
            }
            comets.swap(cached);
            return true;
        }
        return build(buildDirectory + QLatin1String(kElementFile), cachePath, comets);
    } catch (const std::bad_alloc&) {
        // The table could not be allocated: the caller sees false, without an alert.
        return false;
    }
}

}  // namespace CometTable
