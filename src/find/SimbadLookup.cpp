#include "find/SimbadLookup.h"

#include "find/LookupName.h"
#include "platform/SafeWrite.h"
#include "platform/WebFetch.h"

#include <QFile>

namespace {

// Far more than any answer of either form.
constexpr qint64 kMaximumAnswer = 1 << 20;

}  // namespace

SimbadLookup::SimbadLookup(const QString& miscDirectory, const Services& services,
                           std::chrono::milliseconds timeout, QObject* parent)
    : QObject(parent), m_miscDirectory(miscDirectory), m_services(services), m_timeout(timeout)
{
}

QString SimbadLookup::cacheFile(const QString& simName) const
{
    return m_miscDirectory + LookupName::cacheStem(simName) + LookupName::kCacheSuffix;
}

std::optional<QByteArray> SimbadLookup::readCache(const QString& simName) const
{
    if (simName.isEmpty())
        return std::nullopt;
    QFile file(cacheFile(simName));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray text = file.read(kMaximumAnswer);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return text;
}

bool SimbadLookup::start(const QString& simName, std::function<void(Outcome)> done)
{
    const bool sesame = m_simServer == kSesame;
    const QUrl& base = sesame ? m_services.sesameSite
        : m_simServer == kSecondMirror ? m_services.simbadMirrorSite
                                       : m_services.simbadSite;
    if (simName.isEmpty() || base.isEmpty())
        return false;
    const QByteArray address = base.toEncoded(QUrl::StripTrailingSlash)
        + (sesame ? kSesameQuery : kSimbadQuery) + LookupName::queryValue(simName);
    const QUrl url = QUrl::fromEncoded(address, QUrl::StrictMode);
    if (!url.isValid())
        return false;

    const quint64 download = ++m_download;
    const SimAnswer::Form form = sesame ? SimAnswer::Form::Sesame : SimAnswer::Form::Simbad;
    WebFetch::fetch(m_network, url, m_timeout, kMaximumAnswer, this,
                    [this, download, simName, form,
                     done = std::move(done)](WebFetch::Result result) {
                        if (download != m_download)
                            return;
                        if (result.status != WebFetch::Status::Ok) {
                            done({std::nullopt, result.status == WebFetch::Status::TooLong
                                                    ? QStringLiteral("The answer is too long.")
                                                    : result.error});
                            return;
                        }
                        finish(simName, form, result.body, done);
                    });
    return true;
}

void SimbadLookup::cancel()
{
    ++m_download;
}

void SimbadLookup::finish(const QString& simName, SimAnswer::Form form, const QByteArray& body,
                          const std::function<void(Outcome)>& done)
{
    const QString path = cacheFile(simName);
    std::optional<SimAnswer> answer = SimAnswer::parse(form, body);
    if (!answer) {
        // The service knows no such object: a later attempt asks again.
        QFile::remove(path);
        done({});
        return;
    }
    // A cache that cannot be written costs only the next lookup's time.
    SafeWrite::replace(path, body);
    done({std::move(answer), {}});
}
