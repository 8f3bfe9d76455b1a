#include "find/LookupName.h"

#include <QUrl>

namespace LookupName {

QString simName(const QString& name)
{
    QString joined;
    joined.reserve(name.size());
    for (const QChar c : name)
        if (!c.isSpace())
            joined += c;
    return joined.toUpper();
}

QString cacheStem(const QString& simName)
{
    // "~" is unreserved in URLs but not among the kept characters; a leading
    // "." would hide the file.
    QByteArray stem = QUrl::toPercentEncoding(simName, "+", "~");
    if (stem.startsWith('.'))
        stem.replace(0, 1, "%2E");
    return QString::fromLatin1(stem);
}

QByteArray queryValue(const QString& simName)
{
    return QUrl::toPercentEncoding(simName);
}

}  // namespace LookupName
