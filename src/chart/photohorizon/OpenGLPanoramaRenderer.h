#pragma once

#include "chart/photohorizon/PanoramaRenderer.h"

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;
class QOpenGLShaderProgram;

// The panorama drawn through a desktop OpenGL context on an off-screen
// surface, into a frame buffer of the frame's size.
class OpenGLPanoramaRenderer final : public PanoramaRenderer {
public:
    // None when no desktop OpenGL context, surface or shader can be had.
    static std::unique_ptr<OpenGLPanoramaRenderer> create();
    // Tries the context; create() hands out only a renderer that has one.
    OpenGLPanoramaRenderer();
    ~OpenGLPanoramaRenderer() override;
    OpenGLPanoramaRenderer(const OpenGLPanoramaRenderer&) = delete;
    OpenGLPanoramaRenderer& operator=(const OpenGLPanoramaRenderer&) = delete;

    bool setTexture(const QImage& panorama) override;
    void dropTexture() override;
    bool hasTexture() const override { return m_textureID != 0; }
    std::optional<QImage> render(std::span<const SphereVertex> triangles, int width, int height) override;

private:
    bool createContext();
    bool reSize(int width, int height);
    bool isFrameComplete() const;
    void drawTriangles(std::span<const SphereVertex> triangles, int width, int height);

    std::unique_ptr<QOffscreenSurface> m_surface;
    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<QOpenGLShaderProgram> m_program;
    std::unique_ptr<QOpenGLFramebufferObject> m_framebuffer;
    unsigned m_textureID = 0;
    QImage m_pixMapBuf;  // the frame read back: the image handed out
    int m_sizedWidth = 0;
    int m_sizedHeight = 0;
};
