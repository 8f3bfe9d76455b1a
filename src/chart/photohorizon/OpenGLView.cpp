#include "chart/photohorizon/OpenGLView.h"

#include "chart/photohorizon/PhotoHorizonSphere.h"
#include "model/Angles.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"

#include <QCoreApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QTimer>
#include <QVector2D>

#include <cmath>

namespace {

// Pixels go through byte for byte: a 32-bit word A R G B from the high byte
// down, which is QImage's ARGB32 word on any byte order.
constexpr GLenum kPixelFormat = GL_BGRA;
constexpr GLenum kPixelType = GL_UNSIGNED_INT_8_8_8_8_REV;

constexpr int kPositionAttribute = 0;
constexpr int kTexCoordAttribute = 1;

// Frame-buffer pixels (y down from the image's top row, which the frame
// holds as its first row) to clip space; only depths 0 to 1, the half of
// the sphere facing the viewer, stay inside.
constexpr const char* kVertexShader = R"(
attribute vec3 position;
attribute vec2 texCoord;
uniform vec2 frameSize;
varying vec2 panoramaPoint;
void main()
{
    gl_Position = vec4(2.0 * position.x / frameSize.x - 1.0, 2.0 * position.y / frameSize.y - 1.0,
                       1.0 - 2.0 * position.z, 1.0);
    panoramaPoint = texCoord;
}
)";
// The panorama replaces the colour: its premultiplied pixels are written as they are.
constexpr const char* kFragmentShader = R"(
uniform sampler2D panorama;
varying vec2 panoramaPoint;
void main()
{
    gl_FragColor = texture2D(panorama, panoramaPoint);
}
)";

const QString kRefusedTitle = QStringLiteral("The photographic horizon cannot be shown.");

float finiteOrZero(float value) { return std::isfinite(value) ? value : 0.0f; }

bool isSite(int site) { return site >= 0 && site < OpenGLView::kNumSites; }

}  // namespace

OpenGLView::OpenGLView(const PrefControl& prefs, Links links) : m_prefs(prefs), m_links(std::move(links)) {}

OpenGLView::~OpenGLView()
{
    if (!m_context)
        return;
    m_context->makeCurrent(m_surface.get());
    dropTexture();
    m_framebuffer.reset();
    m_program.reset();
    m_context->doneCurrent();
}

bool OpenGLView::createContext()
{
    QSurfaceFormat format;
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(8);
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(format);
    // The pixel format and packing of the read-back are desktop OpenGL's.
    if (!context->create() || context->isOpenGLES())
        return false;
    auto surface = std::make_unique<QOffscreenSurface>();
    surface->setFormat(context->format());
    surface->create();
    if (!surface->isValid() || !context->makeCurrent(surface.get()))
        return false;
    auto program = std::make_unique<QOpenGLShaderProgram>();
    program->bindAttributeLocation("position", kPositionAttribute);
    program->bindAttributeLocation("texCoord", kTexCoordAttribute);
    if (!program->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader) ||
        !program->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader) || !program->link()) {
        program.reset();
        context->doneCurrent();
        return false;
    }
    m_surface = std::move(surface);
    m_context = std::move(context);
    m_program = std::move(program);
    return true;
}

std::optional<QImage> OpenGLView::drawImage(std::uint16_t width, std::uint16_t height)
{
    // The site indexes the adjustments: check it before anything else.
    const int site = m_prefs.currentSite();
    if (!isSite(site) || width == 0 || height == 0)
        return std::nullopt;
    if (!m_isContextTried) {
        m_isContextTried = true;
        createContext();
    }
    if (!m_context || !m_context->makeCurrent(m_surface.get()))
        return std::nullopt;

    const auto s = std::size_t(site);
    const double azimuth = (double(m_dirAdj[s]) + m_prefs.azimuth()) * Angles::kDegToRad;
    const double altitude = (double(m_elevAdj[s]) + m_prefs.altitude()) * Angles::kDegToRad;
    const double radius = m_links.radius ? m_links.radius() : 0.0;
    if (m_textureID == 0 && !getTexture(site))
        return std::nullopt;
    if ((!m_framebuffer || width != m_sizedWidth || height != m_sizedHeight) && !reSize(width, height))
        return std::nullopt;

    QOpenGLFunctions* gl = m_context->functions();
    while (gl->glGetError() != GL_NO_ERROR) {
    }
    m_framebuffer->bind();
    if (!isFrameComplete()) {
        m_framebuffer->release();
        return std::nullopt;
    }
    gl->glViewport(0, 0, width, height);
    gl->glDisable(GL_BLEND);
    gl->glDisable(GL_DEPTH_TEST);
    gl->glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    genSphere(radius, azimuth, altitude, m_degreeAdj[s], width, height);
    gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl->glReadPixels(0, 0, width, height, kPixelFormat, kPixelType, m_pixMapBuf.bits());
    m_framebuffer->release();
    if (gl->glGetError() != GL_NO_ERROR)
        return std::nullopt;
    return m_pixMapBuf;
}

bool OpenGLView::isFrameComplete() const
{
    return m_context->functions()->glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void OpenGLView::genSphere(double radius, double azimuth, double altitude, std::uint16_t band, int width,
                           int height)
{
    const std::vector<SphereVertex> vertices =
        PhotoHorizonSphere::triangles(radius, azimuth, altitude, band, width, height);
    if (vertices.empty())
        return;
    QOpenGLFunctions* gl = m_context->functions();
    m_program->bind();
    m_program->setUniformValue("frameSize", QVector2D(float(width), float(height)));
    m_program->setUniformValue("panorama", 0);
    gl->glActiveTexture(GL_TEXTURE0);
    gl->glBindTexture(GL_TEXTURE_2D, m_textureID);
    m_program->enableAttributeArray(kPositionAttribute);
    m_program->enableAttributeArray(kTexCoordAttribute);
    m_program->setAttributeArray(kPositionAttribute, GL_FLOAT, &vertices.front().x, 3, sizeof(SphereVertex));
    m_program->setAttributeArray(kTexCoordAttribute, GL_FLOAT, &vertices.front().u, 2, sizeof(SphereVertex));
    gl->glDrawArrays(GL_TRIANGLES, 0, GLsizei(vertices.size()));
    m_program->disableAttributeArray(kPositionAttribute);
    m_program->disableAttributeArray(kTexCoordAttribute);
    m_program->release();
}

bool OpenGLView::reSize(int width, int height)
{
    m_framebuffer.reset();
    m_pixMapBuf = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    auto framebuffer = std::make_unique<QOpenGLFramebufferObject>(width, height);
    if (m_pixMapBuf.isNull() || !framebuffer->isValid())
        return false;
    m_framebuffer = std::move(framebuffer);
    m_sizedWidth = width;
    m_sizedHeight = height;
    return true;
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

    QOpenGLFunctions* gl = m_context->functions();
    while (gl->glGetError() != GL_NO_ERROR) {
    }
    gl->glGenTextures(1, &m_textureID);
    if (m_textureID == 0)
        return false;
    gl->glBindTexture(GL_TEXTURE_2D, m_textureID);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, m_iWidth, m_iHeight, 0, kPixelFormat, kPixelType,
                     image.constBits());
    if (gl->glGetError() != GL_NO_ERROR) {
        dropTexture();
        return false;
    }
    return true;
}

void OpenGLView::dropTexture()
{
    if (m_textureID == 0)
        return;
    if (m_context && m_context->makeCurrent(m_surface.get()))
        m_context->functions()->glDeleteTextures(1, &m_textureID);
    m_textureID = 0;
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
