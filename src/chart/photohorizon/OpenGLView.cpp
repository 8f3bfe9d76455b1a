#include "chart/photohorizon/OpenGLView.h"

#include "chart/photohorizon/PanoramaRenderer.h"
#include "model/Angles.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"
#include "platform/DeviceModule.h"

#include <QCoreApplication>
#include <QTimer>

#include <cmath>

namespace {

const QString kRefusedTitle = QStringLiteral("The photographic horizon cannot be shown.");

float finiteOrZero(float value) { return std::isfinite(value) ? value : 0.0f; }

bool isSite(int site) { return site >= 0 && site < OpenGLView::kNumSites; }

}  // namespace

OpenGLView::OpenGLView(const PrefControl& prefs, Links links) : m_prefs(prefs), m_links(std::move(links)) {}

OpenGLView::~OpenGLView() = default;

std::optional<QImage> OpenGLView::drawImage(std::uint16_t width, std::uint16_t height)
{
    // The site indexes the adjustments: check it before anything else.
    const int site = m_prefs.currentSite();
    if (!isSite(site) || width == 0 || height == 0)
        return std::nullopt;
    if (!m_isContextTried) {
        m_isContextTried = true;
        if (auto* create = DeviceModule::functionOrWarn<PanoramaRendererModule::CreateRenderer>(
                PanoramaRendererModule::kName, PanoramaRendererModule::kCreateRenderer,
                QStringLiteral("the photographic horizon")))
            m_renderer = create();
    }
    if (!m_renderer)
        return std::nullopt;

    const auto s = std::size_t(site);
    const double azimuth = (double(m_dirAdj[s]) + m_prefs.azimuth()) * Angles::kDegToRad;
    const double altitude = (double(m_elevAdj[s]) + m_prefs.altitude()) * Angles::kDegToRad;
    const double radius = m_links.radius ? m_links.radius() : 0.0;
    if (!m_renderer->hasTexture() && !getTexture(site))
        return std::nullopt;
    const std::vector<SphereVertex> triangles =
        PhotoHorizonSphere::triangles(radius, azimuth, altitude, m_degreeAdj[s], width, height);
    return m_renderer->render(triangles, width, height);
}

bool OpenGLView::getTexture(int site)
{
    if (site == m_refusedSite)
        return false;
    PhotoPanorama::Load panorama = PhotoPanorama::load(m_links.miscDirectory + PhotoPanorama::fileName(site));
    if (panorama.status == PhotoPanorama::Status::Refused) {
        m_refusedSite = site;
        // Reported once the chart's drawing is over, not from inside it.
        QTimer::singleShot(0, QCoreApplication::instance(),
                           [reason = panorama.reason] { AlertPanel::runAlert(kRefusedTitle, reason); });
    }
    if (panorama.status != PhotoPanorama::Status::Loaded)
        return false;

    const QImage& image = panorama.image;
    m_pixelNotAlpha = PhotoPanorama::horizonTable(image);
    if (m_links.createPhotoAltAz)
        m_links.createPhotoAltAz(m_pixelNotAlpha);
    m_iWidth = image.width();
    m_iHeight = image.height();
    return m_renderer->setTexture(image);
}

void OpenGLView::dropTexture()
{
    if (m_renderer)
        m_renderer->dropTexture();
}

void OpenGLView::setTextureID(quint32 textureId, int slot)
{
    if (textureId != 0 || slot != 0)
        return;
    dropTexture();
    m_refusedSite = -1;
}

float OpenGLView::photoDirAdj(int site) const { return isSite(site) ? m_dirAdj[std::size_t(site)] : 0.0f; }
float OpenGLView::photoElevAdj(int site) const { return isSite(site) ? m_elevAdj[std::size_t(site)] : 0.0f; }
float OpenGLView::photoBrightAdj(int site) const { return isSite(site) ? m_brightAdj[std::size_t(site)] : 0.0f; }
std::uint16_t OpenGLView::photoDegreeAdj(int site) const
{
    return isSite(site) ? m_degreeAdj[std::size_t(site)] : 0;
}

void OpenGLView::setPhotoDirAdj(quint16 site, float degrees)
{
    if (isSite(site))
        m_dirAdj[site] = finiteOrZero(degrees);
}

void OpenGLView::setPhotoElevAdj(quint16 site, float degrees)
{
    if (isSite(site))
        m_elevAdj[site] = finiteOrZero(degrees);
}

void OpenGLView::setPhotoBrightAdj(quint16 site, float brightness)
{
    if (isSite(site))
        m_brightAdj[site] = finiteOrZero(brightness);
}

void OpenGLView::setPhotoDegreeAdj(quint16 site, quint16 band)
{
    if (isSite(site))
        m_degreeAdj[site] = band;
}
