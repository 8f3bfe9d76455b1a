#pragma once

#include "mount/DebugWriter.h"

#include <QImage>
#include <QString>

struct AllSkyFrame;

// Where and how the all-sky images are saved: a folder and base name, the
// file format, and one numbered file per delivered image.
class AllSkyFiles {
public:
    // The file format matrix: 1 no file, 2 TIFF, 3 FITS.
    enum class Format : quint16 { None = 1, Tiff = 2, Fits = 3 };

    static constexpr char kDefaultName[] = "AllSkyImage";

    // `directory` is the per-user "Misc/" folder.
    AllSkyFiles(const QString& directory, DebugWriter debug);

    // A path chosen in the name dialog: its last part is the name, the rest
    // the folder.
    void setPath(const QString& chosen);
    QString allSkyDirectory() const { return m_directory; }
    QString allSkyName() const { return m_name; }
    QString allSkyPath() const { return m_directory + m_name; }

    void setFileFormat(Format format) { m_format = format; }
    Format fileFormat() const { return m_format; }
    // The camera's firmware version, for the FITS instrument name.
    void setVersionStr(const QString& version) { m_version = version; }

    // Writes `frame` in the chosen format under the next free number; the
    // TIFF holds `processed` (what the view shows) when there is one, else
    // the raw pixels. False, with its debug line, when nothing was written
    // (a sub-frame, no format, a failed encoding or write).
    bool saveAllSkyImage(const AllSkyFrame& frame, const QImage& processed);
    // The path of the last file written.
    QString lastPath() const { return m_lastPath; }

private:
    bool writeFile(const QString& path, const QByteArray& bytes, const char* failure);

    DebugWriter m_debug;
    QString m_directory;
    QString m_name = QString::fromLatin1(kDefaultName);
    QString m_version;
    QString m_lastPath;
    Format m_format = Format::None;
};
