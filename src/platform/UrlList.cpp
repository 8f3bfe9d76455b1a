#include "platform/UrlList.h"

#include "platform/MacRoman.h"

#include <QFile>
#include <QRegularExpression>

namespace {

constexpr int kEndpointCount = 7;
// More characters than this after the seventh line make an eighth line.
constexpr qsizetype kLongitudeLineMinimum = 2;
constexpr double kFullCircle = 360.0;

// A usable endpoint is an absolute web address; anything else stays empty.
QUrl endpoint(const QString& line)
{
    const QUrl url(line, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return {};
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ? url : QUrl();
}

// The lines of the list. A line ends with CR or LF; a CR LF pair counts as
// one break, so that a list saved by another editor still reads, and a last
// line without a break is taken as it is.
struct LineReader {
    QString text;
    qsizetype position = 0;

    bool atEnd() const { return position >= text.size(); }
    qsizetype remaining() const { return text.size() - position; }
    QString next()
    {
        qsizetype end = position;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QString line = text.mid(position, end - position);
        position = end + 1;
        if (end < text.size() && text[end] == u'\r' && position < text.size()
            && text[position] == u'\n')
            ++position;
        return line;
    }
};

double longitude(const QString& line)
{
    bool ok = false;
    const double degrees = line.trimmed().toDouble(&ok);
    // Written so that a NaN fails too.
    if (!ok || !(degrees >= 0.0 && degrees < kFullCircle))
        return UrlList::kDefaultGRSLong;
    return degrees;
}

}  // namespace

UrlList UrlList::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {};
    return parse(bytes);
}

UrlList UrlList::parse(QByteArrayView bytes)
{
    LineReader reader{MacRoman::decode(bytes)};
    UrlList list;
    QUrl* const endpoints[kEndpointCount] = {&list.tvkSite,  &list.softwareSite, &list.cometSite,
                                             &list.mpSite,   &list.neoSite,      &list.mpcorbSite,
                                             &list.versionSite};
    for (QUrl* url : endpoints) {
        if (reader.atEnd())
            return list;
        *url = endpoint(reader.next());
    }
    if (reader.remaining() <= kLongitudeLineMinimum)
        return list;
    list.grsLong = longitude(reader.next());
    QUrl* const services[] = {&list.simbadSite, &list.simbadMirrorSite, &list.sesameSite,
                              &list.dssSite,    &list.esoSite,          &list.skyViewSite,
                              &list.nomadSite};
    for (QUrl* url : services) {
        if (reader.atEnd())
            return list;
        *url = endpoint(reader.next());
    }
    return list;
}

QUrl UrlList::forYear(const QUrl& pattern, int year)
{
    static const QRegularExpression yearSegment(QStringLiteral("/\\d{4}(?=/|$)"));
    QString path = pattern.path();
    const QRegularExpressionMatch match = yearSegment.match(path);
    if (!match.hasMatch())
        return pattern;
    path.replace(match.capturedStart(), match.capturedLength(), QLatin1Char('/') + QString::number(year));
    QUrl url = pattern;
    url.setPath(path);
    return url;
}
