#include "find/tours/TourFile.h"

#include "platform/MacRoman.h"
#include "platform/SafeWrite.h"

#include <QFile>
#include <QRegularExpression>

namespace TourFile {

std::optional<QString> readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return MacRoman::decode(bytes);
}

QStringList splitLines(const QString& text)
{
    static const QRegularExpression kLineEnd(QStringLiteral("\r\n|\r|\n"));
    return text.split(kLineEnd, Qt::SkipEmptyParts);
}

QString save(const QString& path, const QStringList& lines, bool append)
{
    QByteArray bytes;
    if (append && QFile::exists(path)) {
        QFile existing(path);
        if (!existing.open(QIODevice::ReadOnly))
            return existing.errorString();
        bytes = existing.readAll();
        if (existing.error() != QFileDevice::NoError)
            return existing.errorString();
    }
    bytes += MacRoman::encode(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return SafeWrite::replace(path, bytes);
}

}  // namespace TourFile
