#include "model/catalogue/CatalogueFolders.h"

#include "platform/DataPaths.h"

CatalogueFolders CatalogueFolders::form(const QString& userRoot, const QString& dataRoot,
                                        const QString& resourceFolder)
{
    CatalogueFolders folders;
    folders.databaseDirectory = userRoot + "/Database/";
    folders.buildDirectory = userRoot + "/Build Data/";
    folders.photoDirectory = dataRoot + "/StockPhotos/";
    folders.userPhotoDirectory = userRoot + "/Photos/";
    folders.imagesDirectory = resourceFolder + "/ImageF/";
    folders.miscDirectory = userRoot + "/Misc/";
    folders.tourDirectory = userRoot + "/Tour/";
    folders.mythDirectory = dataRoot + "/Mythology/";
    folders.tvkDirectory = dataRoot + "/TVk/";
    return folders;
}

CatalogueFolders CatalogueFolders::standard()
{
    return form(DataPaths::userDataFolder(), DataPaths::bundleDataFolder(),
                DataPaths::bundleResourcesFolder());
}
