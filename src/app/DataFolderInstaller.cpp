#include "app/DataFolderInstaller.h"

#include "app/FolderCopy.h"
#include "platform/AlertPanel.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr char kBuildData[] = "Build Data";
constexpr char kDatabase[] = "Database";
constexpr char kUrlList[] = "Misc/URL List.txt";

// The first-launch copies, numbered as their installation alerts; step 1 is
// the folder itself.
struct InstallStep {
    int number;
    const char* item;
};
constexpr InstallStep kInstallSteps[] = {
    {2, kBuildData}, {3, kDatabase}, {4, "Misc"}, {5, "Photos"}, {6, "Tour"},
};
constexpr int kManualStep = 7;

// Element files ship as a starting set and are replaced by downloads under
// the same names, so only their age tells the two apart.
constexpr const char* kElementFiles[] = {
    "Soft00Cmt.txt", "Soft00Bright.txt", "Soft00Unusual.txt", "MPCORB.DAT",
};

// The caches in "Database" built from each text in "Build Data"; a cache
// whose text is replaced is stale.
struct BuiltFrom {
    const char* text;
    const char* cache;
};
constexpr BuiltFrom kCaches[] = {
    {"BuildStar.txt", "Stars.tvk"},
    {"BuildDeepSky.txt", "DeepSky.tvk"},
    {"Soft00Cmt.txt", "Comets.tvk"},
    {"Soft00Bright.txt", "MinorPlanets.tvk"},
    {"Soft00Unusual.txt", "MinorPlanets.tvk"},
    {"BuildUSCity.txt", "USCity.tvk"},
    {"BuildWorldCity.txt", "WorldCity.tvk"},
};

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The run of digits starting at index, without its leading zeros; moves index past it.
QStringView digitRun(const QString& text, qsizetype& index)
{
    const qsizetype start = index;
    while (index < text.size() && isAsciiDigit(text[index]))
        ++index;
    QStringView run = QStringView(text).mid(start, index - start);
    while (run.size() > 1 && run.front() == u'0')
        run = run.mid(1);
    return run;
}

bool isElementFile(const QString& relative)
{
    if (!relative.startsWith(QString(kBuildData) + "/"))
        return false;
    const QString name = QFileInfo(relative).fileName();
    for (const char* element : kElementFiles) {
        if (name == QLatin1String(element))
            return true;
    }
    return false;
}

}  // namespace

DataFolderInstaller::DataFolderInstaller(QString bundleFolder, QString userFolder)
    : m_bundleFolder(bundleFolder.isEmpty() ? QString() : QDir::cleanPath(bundleFolder)),
      m_userFolder(QDir::cleanPath(userFolder))
{
}

bool DataFolderInstaller::isSameVersion(const QString& first, const QString& second)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < first.size() && j < second.size()) {
        if (isAsciiDigit(first[i]) && isAsciiDigit(second[j])) {
            if (digitRun(first, i) != digitRun(second, j))
                return false;
        } else if (first[i++] != second[j++]) {
            return false;
        }
    }
    return i == first.size() && j == second.size();
}

DataFolderInstaller::Status DataFolderInstaller::setupDirectories() const
{
    if (QFileInfo::exists(m_userFolder))
        return Status::Unchanged;
    if (m_bundleFolder.isEmpty() || !QFileInfo(m_bundleFolder).isDir()) {
        AlertPanel::runAlert("There was an installation problem.",
                             "Required ZQData could not be found.");
        return Status::Failed;
    }
    // A staging folder still here is a copy that was cut short: start it afresh.
    const QString staging = installStagingFolder();
    if (!FolderCopy::removeAll(staging))
        return failInstall(1, QString("\"%1\" could not be removed").arg(staging));
    QString error;
    if (!FolderCopy::makeFolder(staging, error))
        return failInstall(1, error);
    for (const InstallStep& step : kInstallSteps) {
        if (!FolderCopy::copyFolder(m_bundleFolder + "/" + step.item, staging + "/" + step.item,
                                    error))
            return failInstall(step.number, error);
    }
    // The manual is optional: a build may ship without it.
    const QString manual = m_bundleFolder + "/" + kManual;
    if (QFileInfo::exists(manual) && !FolderCopy::copyFile(manual, staging + "/" + kManual, error))
        return failInstall(kManualStep, error);
    if (!FolderCopy::moveReplacing(staging, m_userFolder, error))
        return failInstall(1, error);
    return Status::Installed;
}

DataFolderInstaller::Status DataFolderInstaller::failInstall(int step, const QString& reason) const
{
    AlertPanel::runAlert(QString("There was an installation problem (%1).").arg(step), reason);
    FolderCopy::removeAll(installStagingFolder());
    return Status::Failed;
}

QStringList DataFolderInstaller::refreshedFiles() const
{
    QStringList files;
    if (QFileInfo(m_bundleFolder + "/" + kManual).isFile())
        files << kManual;
    // A list the user deleted stays deleted.
    if (QFileInfo::exists(m_bundleFolder + "/" + kUrlList) &&
        QFileInfo::exists(m_userFolder + "/" + kUrlList))
        files << kUrlList;
    for (const char* folder : {kBuildData, kDatabase}) {
        QDirIterator it(m_bundleFolder + "/" + folder,
                        QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next().mid(m_bundleFolder.size() + 1);
    }
    return files;
}

DataFolderInstaller::Status DataFolderInstaller::updateDirectories(const QString& storedVersion,
                                                                   const QString& currentVersion) const
{
    if (currentVersion.isEmpty() || isSameVersion(storedVersion, currentVersion))
        return Status::Unchanged;
    if (m_bundleFolder.isEmpty() || !QFileInfo(m_bundleFolder).isDir() ||
        !QFileInfo(m_userFolder).isDir())
        return Status::RefreshFailed;

    QStringList replaced;
    for (const QString& relative : refreshedFiles()) {
        const QFileInfo shipped(m_bundleFolder + "/" + relative);
        const QFileInfo own(m_userFolder + "/" + relative);
        if (FolderCopy::sameContent(shipped.filePath(), own.filePath()))
            continue;
        if (isElementFile(relative) && own.isFile() && own.lastModified() > shipped.lastModified())
            continue;
        replaced << relative;
    }
    QStringList staleCaches;
    for (const QString& relative : replaced) {
        if (!relative.startsWith(QString(kBuildData) + "/"))
            continue;
        const QString text = QFileInfo(relative).fileName();
        for (const BuiltFrom& built : kCaches) {
            const QString cache = QString(kDatabase) + "/" + built.cache;
            if (text == QLatin1String(built.text) && !replaced.contains(cache) &&
                !staleCaches.contains(cache) && QFileInfo::exists(m_userFolder + "/" + cache))
                staleCaches << cache;
        }
    }
    if (replaced.isEmpty() && staleCaches.isEmpty())
        return Status::Refreshed;

    const QString staging = refreshStagingFolder();
    FolderCopy::removeAll(staging);
    const auto abandon = [&] {
        FolderCopy::removeAll(staging);
        return Status::RefreshFailed;
    };
    QString error;
    for (const QString& relative : replaced) {
        const QString target = staging + "/" + relative;
        if (!FolderCopy::makeFolder(QFileInfo(target).path(), error) ||
            !FolderCopy::copyFile(m_bundleFolder + "/" + relative, target, error))
            return abandon();
    }
    // Caches go before their texts change: a refresh cut short here is
    // repeated at the next launch, which still finds the texts different.
    for (const QString& cache : staleCaches) {
        if (!FolderCopy::removeAll(m_userFolder + "/" + cache))
            return abandon();
    }
    for (const QString& relative : replaced) {
        const QString target = m_userFolder + "/" + relative;
        if (!FolderCopy::makeFolder(QFileInfo(target).path(), error) ||
            !FolderCopy::moveReplacing(staging + "/" + relative, target, error))
            return abandon();
    }
    FolderCopy::removeAll(staging);
    return Status::Refreshed;
}
