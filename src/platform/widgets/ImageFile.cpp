#include "platform/widgets/ImageFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace ImageFile {

Read read(const QString& path)
{
    QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (format == "jpg")
        format = "jpeg";
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QImage(), file.errorString()};
    QImageReader reader(&file, format);
    // With the format given and no guessing, Qt loads at most the one plugin
    // that reads it; PNG needs none.
    reader.setAutoDetectImageFormat(false);
    Read result{reader.read(), {}};
    if (!result.image.isNull())
        return result;
    result.error = reader.errorString();
    if (!file.seek(0))
        return result;
    QImageReader guessing(&file);
    const QImage guessed = guessing.read();
    if (!guessed.isNull())
        return {guessed, {}};
    return result;
}

QImage image(const QString& path) { return read(path).image; }

}  // namespace ImageFile
