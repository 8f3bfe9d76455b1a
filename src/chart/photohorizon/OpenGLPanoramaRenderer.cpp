#include "chart/photohorizon/OpenGLPanoramaRenderer.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QVector2D>

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

}  // namespace

std::unique_ptr<OpenGLPanoramaRenderer> OpenGLPanoramaRenderer::create()
{
    auto renderer = std::make_unique<OpenGLPanoramaRenderer>();
    return renderer->m_context ? std::move(renderer) : nullptr;
}

OpenGLPanoramaRenderer::OpenGLPanoramaRenderer() { createContext(); }

OpenGLPanoramaRenderer::~OpenGLPanoramaRenderer()
{
    if (!m_context)
        return;
    m_context->makeCurrent(m_surface.get());
    dropTexture();
    m_framebuffer.reset();
    m_program.reset();
    m_context->doneCurrent();
}

bool OpenGLPanoramaRenderer::createContext()
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

bool OpenGLPanoramaRenderer::setTexture(const QImage& panorama)
{
    dropTexture();
    if (!m_context->makeCurrent(m_surface.get()))
        return false;
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
    gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, panorama.width(), panorama.height(), 0, kPixelFormat,
                     kPixelType, panorama.constBits());
    if (gl->glGetError() != GL_NO_ERROR) {
        dropTexture();
        return false;
    }
    return true;
}

void OpenGLPanoramaRenderer::dropTexture()
{
    if (m_textureID == 0)
        return;
    if (m_context->makeCurrent(m_surface.get()))
        m_context->functions()->glDeleteTextures(1, &m_textureID);
    m_textureID = 0;
}

std::optional<QImage> OpenGLPanoramaRenderer::render(std::span<const SphereVertex> triangles, int width,
                                                     int height)
{
    if (m_textureID == 0 || !m_context->makeCurrent(m_surface.get()))
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
    drawTriangles(triangles, width, height);
    gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl->glReadPixels(0, 0, width, height, kPixelFormat, kPixelType, m_pixMapBuf.bits());
    m_framebuffer->release();
    if (gl->glGetError() != GL_NO_ERROR)
        return std::nullopt;
    return m_pixMapBuf;
}

bool OpenGLPanoramaRenderer::isFrameComplete() const
{
    return m_context->functions()->glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void OpenGLPanoramaRenderer::drawTriangles(std::span<const SphereVertex> triangles, int width, int height)
{
    if (triangles.empty())
        return;
    QOpenGLFunctions* gl = m_context->functions();
    m_program->bind();
    m_program->setUniformValue("frameSize", QVector2D(float(width), float(height)));
    m_program->setUniformValue("panorama", 0);
    gl->glActiveTexture(GL_TEXTURE0);
    gl->glBindTexture(GL_TEXTURE_2D, m_textureID);
    m_program->enableAttributeArray(kPositionAttribute);
    m_program->enableAttributeArray(kTexCoordAttribute);
    m_program->setAttributeArray(kPositionAttribute, GL_FLOAT, &triangles.front().x, 3, sizeof(SphereVertex));
    m_program->setAttributeArray(kTexCoordAttribute, GL_FLOAT, &triangles.front().u, 2, sizeof(SphereVertex));
    gl->glDrawArrays(GL_TRIANGLES, 0, GLsizei(triangles.size()));
    m_program->disableAttributeArray(kPositionAttribute);
    m_program->disableAttributeArray(kTexCoordAttribute);
    m_program->release();
}

bool OpenGLPanoramaRenderer::reSize(int width, int height)
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
