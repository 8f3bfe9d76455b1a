#include "scopeview/cone/Nomad.h"

#include "scopeview/SVDrawer.h"
#include "scopeview/SVView.h"
#include "scopeview/cone/NomadReply.h"
#include "scopeview/survey/SurveyCentre.h"

#include "find/TypedPosition.h"
#include "model/StarDatabaseModel.h"
#include "platform/AlertPanel.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>

namespace {

// The search radius in degrees per degree of field: half the survey image's
// width (the field x 62.2 arcminutes).
constexpr float kRadiusPerFov = 0.518333333333333f;
// The radius is sent with six decimals and then a 5.
constexpr const char* kQuery =
    "/cgi-bin/vo_cone.cgi?CAT=NOMAD&RA=%.6f&DEC=%+.6f&SR=%.6f5&VERB=1&clr=V&bri=0.0&fai=%.1f"
    "&cftype=ASCII&slf=ddd.ddd/dd.ddd&skey=RA";
constexpr const char* kCacheName = "NOMAD_%.2f%+.2f%.1f.txt";
// Far more than a cone-search reply of the widest field holds.
constexpr qint64 kMaximumReply = qint64(16) << 20;

}  // namespace

Nomad::Nomad(const StarDatabaseModel& model, SVView& view, SVDrawer& drawer,
             QPushButton& loadNOMADButton, const QString& miscDirectory, const QUrl& nomadSite,
             std::chrono::milliseconds timeout, Clock clock, QObject* parent)
    : QObject(parent), m_model(model), m_view(view), m_drawer(drawer),
      m_loadNOMADButton(loadNOMADButton), m_miscDirectory(miscDirectory), m_nomadSite(nomadSite),
      m_timeout(timeout), m_clock(std::move(clock)), m_download(m_network),
      m_nomadURL(QStringLiteral(" ")),
      m_nomadFile(miscDirectory + QLatin1String(kNomadFileName)),
      m_nomadCacheFile(QStringLiteral(" "))
{
    connect(&m_download, &CheckedDownload::finished, this, &Nomad::downloadEnded);
}

void Nomad::nomadDownload(bool force)
{
    if (m_isDownloading) {
        abortDownload();
        return;
    }
    const SVViewState& state = m_view.state();
    const SurveyCentre::Place centre =
        SurveyCentre::j2000(state.trackRAPlus(), state.trackDecPlus(), m_model.precessionMatrix());
    startDownloadingURL(float(centre.ra), float(centre.dec), m_drawer.fov() * kRadiusPerFov,
                        m_drawer.nomadMag(), force);
}

void Nomad::startDownloadingURL(float ra, float dec, float radius, float faintLimit, bool force)
{
    m_hasNomadData = false;
    QString destination = m_nomadFile;
    if (m_isNomadCache) {
        m_nomadCacheFile = m_miscDirectory + QString::asprintf(kCacheName, ra, dec, faintLimit);
        destination = m_nomadCacheFile;
        if (!force && QFileInfo::exists(m_nomadCacheFile)) {
            procNOMADFile(m_nomadCacheFile);
            setNomadButton(false);
            m_view.update();
            return;
        }
    }
    if (!m_nomadSite.isEmpty())
        m_nomadURL = QUrl::fromEncoded(
            m_nomadSite.toEncoded(QUrl::StripTrailingSlash)
                + QString::asprintf(kQuery, ra, dec, radius, faintLimit).toLatin1(),
            QUrl::StrictMode);
    m_readError.clear();
    const auto parses = [this](const QString& path) {
        m_readError = read(path, m_pending);
        return m_readError;
    };
    if (m_nomadSite.isEmpty() || !m_nomadURL.isValid()
        || !m_download.start(m_nomadURL, destination, m_timeout, kMaximumReply, parses)) {
        AlertPanel::runAlert(kDownloadFailed, kNoConnection);
        return;
    }
    setNomadButton(true);
    m_isDownloading = true;
}

void Nomad::abortDownload()
{
    m_download.cancel();
    m_isDownloading = false;
    setNomadButton(false);
}

void Nomad::downloadEnded(const QString& error)
{
    m_isDownloading = false;
    setNomadButton(false);
    if (!error.isEmpty()) {
        AlertPanel::runAlert(m_readError.isEmpty() ? kDownloadFailed : kReadFailed, error);
        m_pending.clear();
        return;
    }
    install(std::move(m_pending));
    m_pending.clear();
}

bool Nomad::procNOMADFile(const QString& path)
{
    std::vector<nomadData> stars;
    const QString error = read(path, stars);
    if (!error.isEmpty()) {
        setNomadButton(false);
        AlertPanel::runAlert(kReadFailed, error);
        return false;
    }
    install(std::move(stars));
    return true;
}

QString Nomad::read(const QString& path, std::vector<nomadData>& stars) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QLatin1String(kCannotOpen);
    // Mapped rather than read whole; an empty file cannot be mapped.
    const qint64 size = file.size();
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    if (size > 0 && !mapped)
        return QLatin1String(kCannotOpen);
    const QByteArrayView text(mapped, size);
    NomadReply::Result reply = NomadReply::parse(text, TypedPosition::yearsSinceJ2000(m_clock()));
    switch (reply.error) {
    case NomadReply::Error::None:
        stars = std::move(reply.stars);
        return {};
    case NomadReply::Error::NoData:
        return QLatin1String(kNoData);
    case NomadReply::Error::Format:
        break;
    }
    return QLatin1String(kFormatError);
}

void Nomad::install(std::vector<nomadData> stars)
{
    m_nomadStars = std::move(stars);
    m_hasNomadData = true;
    m_view.update();
}

void Nomad::setNomadButton(bool downloading)
{
    m_loadNOMADButton.setText(QLatin1String(downloading ? kAbortTitle : kDownloadTitle));
}
