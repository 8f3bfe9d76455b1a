#include "camera/allsky/AllSkyFiles.h"

#include "camera/allsky/AllSkyFileNames.h"
#include "camera/allsky/AllSkyFitsFile.h"
#include "camera/allsky/AllSkyFrame.h"
#include "camera/allsky/AllSkyTiffFile.h"
#include "platform/SafeWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

AllSkyFiles::AllSkyFiles(const QString& directory, DebugWriter debug)
    : m_debug(std::move(debug)), m_directory(directory.endsWith(u'/') ? directory : directory + u'/')
{
}

void AllSkyFiles::setPath(const QString& chosen)
{
    const QFileInfo info(chosen);
    m_name = info.fileName();
    m_directory = info.path() + u'/';
}

bool AllSkyFiles::writeFile(const QString& path, const QByteArray& bytes, const char* failure)
{
    QDir().mkpath(QFileInfo(path).path());
    const QString error = SafeWrite::replace(path, bytes);
    if (error.isEmpty()) {
        m_lastPath = path;
        return true;
    }
    m_debug([&] { return QString::fromLatin1(failure) + QStringLiteral(": ") + error; });
    return false;
}

bool AllSkyFiles::saveAllSkyImage(const AllSkyFrame& frame, const QImage& processed)
{
    if (m_format == Format::None)
        return false;
    if (!AllSkyFrame::fileSize(frame.readOutMode) || !frame.isComplete()) {
        m_debug("saveAllSkyImage error: wrong binning");
        return false;
    }
    const bool isFits = m_format == Format::Fits;
    const QString pattern = AllSkyFileNames::suffix(
        frame.imageType, frame.isDarkSubtracted, isFits ? AllSkyFileNames::Format::Fits : AllSkyFileNames::Format::Tiff);
    const AllSkyFileNames::Numbered target = AllSkyFileNames::firstFree(allSkyPath(), pattern);
    if (target.path.isEmpty()) {
        m_debug("saveAllSkyImage error: no free number");
        return false;
    }
    m_debug([&] { return QStringLiteral("saveAllSkyImage at: %1").arg(target.path); });

    if (isFits) {
        m_debug("saveAllSkyImage FITS bitmap from raw");
        const QString mark = frame.isDarkSubtracted ? QStringLiteral("D") : QString();
        const AllSkyFitsFile::Names names{
            QStringLiteral("%1-%2%3.fits").arg(m_name).arg(target.number).arg(mark),
            QStringLiteral("Norvane Pro ") + QCoreApplication::applicationVersion(),
            QStringLiteral("SBIG AllSky (%1)").arg(m_version)};
        const std::optional<QByteArray> bytes = AllSkyFitsFile::encode(frame, names);
        if (!bytes) {
            m_debug("saveAllSkyImage error: fits encoding failed");
            return false;
        }
        return writeFile(target.path, *bytes, "saveAllSkyImage error: NSData fits write failed");
    }

    QImage picture = processed;
    if (!picture.isNull()) {
        m_debug("saveAllSkyImage iRep from ciImage");
    } else {
        m_debug("saveAllSkyImage iRep from sg4Image plane");
        picture = AllSkyTiffFile::rawImage(frame);
    }
    if (picture.isNull()) {
        m_debug("saveAllSkyImage error: iRep=nil");
        return false;
    }
    const std::optional<QByteArray> bytes = AllSkyTiffFile::encode(picture);
    if (!bytes) {
        m_debug("saveAllSkyImage error: tiff exception caught");
        return false;
    }
    return writeFile(target.path, *bytes, "saveAllSkyImage error: NSData tiff write failed");
}
