#include "platform/DataPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString shippedFolder(const QString& name)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        exeDir + "/data/" + name,
        exeDir + "/../" NORVANE_INSTALL_DATADIR "/norvane-pro/" + name,
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir())
            return QDir(candidate).canonicalPath();
    }
    return {};
}

}  // namespace

namespace DataPaths {

QString bundleDataFolder() { return shippedFolder("ZQData"); }

QString bundleResourcesFolder() { return shippedFolder("Resources"); }

QString userDataFolder()
{
    // AppDataLocation already ends in the organisation and application names;
    // the folder the program knows is the application's own, "Norvane Pro".
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base + "/Norvane Pro";
}

}  // namespace DataPaths
