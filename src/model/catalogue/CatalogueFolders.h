#pragma once

#include <QString>

// The folders the catalogue store reads and writes. Every path ends in "/"
// so that a file name is appended to it directly.
struct CatalogueFolders {
    QString databaseDirectory;  // user caches built from source texts
    QString buildDirectory;     // the source texts
    QString photoDirectory;     // shipped object photographs
    QString userPhotoDirectory; // the user's own object photographs
    QString imagesDirectory;    // images of the chart
    QString miscDirectory;      // files of other subsystems
    QString tourDirectory;      // tour and filter files
    QString mythDirectory;      // shipped figure images
    QString tvkDirectory;       // read-only shipped tables

    // The layout under a per-user root ("Norvane Pro"), the shipped "ZQData"
    // folder and the shipped resource folder.
    static CatalogueFolders form(const QString& userRoot, const QString& dataRoot,
                                 const QString& resourceFolder);

    // The layout of this installation.
    static CatalogueFolders standard();
};
