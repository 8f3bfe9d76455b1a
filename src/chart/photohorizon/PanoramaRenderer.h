#pragma once

#include "chart/photohorizon/PhotoHorizonSphere.h"

#include <QImage>

#include <memory>
#include <optional>
#include <span>

// The OpenGL side of the photographic horizon: an off-screen context that
// holds one panorama as a texture and draws the sphere it is wrapped on.
// Main thread only.
class PanoramaRenderer {
public:
    virtual ~PanoramaRenderer() = default;
    // Takes `panorama` (premultiplied ARGB) as the texture, replacing any
    // other; false on an OpenGL failure, with no texture then.
    virtual bool setTexture(const QImage& panorama) = 0;
    virtual void dropTexture() = 0;
    virtual bool hasTexture() const = 0;
    // The triangles, in frame-buffer pixels, textured with the panorama on a
    // transparent `width` × `height` frame read back as premultiplied ARGB;
    // none without a texture or on an OpenGL failure.
    virtual std::optional<QImage> render(std::span<const SphereVertex> triangles, int width, int height) = 0;
};

// Qt's OpenGL classes for shaders and frame buffers come with a library of
// their own, which only the photographic horizon needs: the renderer lives
// in a module loaded with the first horizon drawn (DeviceModule).
namespace PanoramaRendererModule {

inline constexpr const char* kName = "norvane-photohorizon";
inline constexpr const char* kCreateRenderer = "norvaneCreatePanoramaRenderer";
// None when no desktop OpenGL context can be had.
using CreateRenderer = std::unique_ptr<PanoramaRenderer>();

}  // namespace PanoramaRendererModule
