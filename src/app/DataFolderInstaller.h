#pragma once

#include <QString>
#include <QStringList>

// Creates the per-user data folder from the shipped "ZQData" folder on the
// first launch, and brings its shipped files up to date after the program's
// version changed. Work is done in a staging folder beside the user's folder
// and moved into place only when every copy has succeeded, so an interrupted
// or failed run never leaves a half-made folder in use.
class DataFolderInstaller {
public:
    // The manual, at the top of both folders.
    static constexpr const char* kManual = "Norvane Pro Manual.pdf";

    enum class Status {
        Unchanged,      // nothing needed doing
        Installed,      // the per-user folder was created
        Refreshed,      // the shipped files match the current version: store it
        RefreshFailed,  // the folder is as it was; keep the stored version to retry next launch
        Failed,         // an installation alert has been shown: the program must quit
    };

    DataFolderInstaller(QString bundleFolder, QString userFolder);

    // When the per-user folder does not exist: copies "Build Data", "Database",
    // "Misc", "Photos", "Tour" and, when shipped, the manual. A failed step
    // shows "There was an installation problem (n)." with the step's number;
    // a missing shipped folder shows "Required ZQData could not be found.".
    Status setupDirectories() const;

    // When the two versions differ: replaces the shipped files of "Build Data"
    // and "Database", "URL List.txt" in "Misc" and the manual, keeping every
    // file the user or the program made there. An element file the program
    // downloaded is kept while it is newer than the shipped copy, and a cache
    // built from a replaced text is removed so it is built again. Silent: a
    // failure leaves the folder as it was. An empty current version means the
    // program knows none, and nothing is done.
    Status updateDirectories(const QString& storedVersion, const QString& currentVersion) const;

    // Whole version strings, runs of digits compared by value ("1.02" equals "1.2").
    static bool isSameVersion(const QString& first, const QString& second);

    // Where a first-launch copy is assembled before it is renamed into place.
    QString installStagingFolder() const { return m_userFolder + ".partial"; }
    // Where a refresh assembles the new copies before they are moved in.
    QString refreshStagingFolder() const { return m_userFolder + ".update"; }

private:
    Status failInstall(int step, const QString& reason) const;
    QStringList refreshedFiles() const;

    QString m_bundleFolder;
    QString m_userFolder;
};
