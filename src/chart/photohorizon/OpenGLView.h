#pragma once

#include "chart/painting/PhotoHorizonSource.h"
#include "chart/photohorizon/PhotoPanorama.h"
#include "model/settings/links/PhotoHorizonAdjustments.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class PanoramaRenderer;
class PrefControl;

// The photographic horizon renderer. Not a view despite its name: through
// its OpenGL renderer it draws off screen only. It wraps the current site's
// panorama on a sphere, projects it with the chart's stereographic projection
// for the view direction, the chart's scale and size, reads the frame back
// and hands the chart the image (premultiplied ARGB, sky transparent). On
// each load it also samples the panorama's horizon for the model's outline.
// It keeps the four adjustments of each of the five sites. Main thread only.
class OpenGLView final : public PhotoHorizonSource, public PhotoHorizonAdjustments {
public:
    static constexpr int kNumSites = 5;

    struct Links {
        QString miscDirectory;  // with the panoramas, ending in a slash
        std::function<double()> radius;  // the chart's projection scale, points
        std::function<void(std::span<const std::uint16_t, PhotoPanorama::kNumColumns>)> createPhotoAltAz;
    };

    OpenGLView(const PrefControl& prefs, Links links);
    ~OpenGLView() override;
    OpenGLView(const OpenGLView&) = delete;
    OpenGLView& operator=(const OpenGLView&) = delete;

    // Renders the current site's panorama for the chart's current view into
    // a `width` × `height` image; none without OpenGL, without a usable
    // panorama for the site or on any OpenGL failure. The renderer and its
    // context are made on the first call.
    std::optional<QImage> drawImage(std::uint16_t width, std::uint16_t height) override;
    // Whether OpenGL could be had (tried by the first render).
    bool hasContext() const { return m_renderer != nullptr; }

    // Per-site values; a site outside 0 to 4 reads 0 and is not set. Values
    // that are not finite are taken as 0.
    float photoDirAdj(int site) const;
    float photoElevAdj(int site) const;
    float photoBrightAdj(int site) const override;
    std::uint16_t photoDegreeAdj(int site) const;
    void setPhotoDirAdj(quint16 site, float degrees) override;
    void setPhotoElevAdj(quint16 site, float degrees) override;
    void setPhotoBrightAdj(quint16 site, float brightness) override;
    void setPhotoDegreeAdj(quint16 site, quint16 band) override;
    std::array<float, kNumSites> photoDirAdjArray() const override { return m_dirAdj; }
    std::array<float, kNumSites> photoElevAdjArray() const override { return m_elevAdj; }
    std::array<float, kNumSites> photoBrightAdjArray() const override { return m_brightAdj; }
    std::array<quint16, kNumSites> photoDegreeAdjArray() const override { return m_degreeAdj; }

    // Id 0 in slot 0 drops the loaded panorama, so that the next render loads
    // the current site's file; the textures are otherwise the renderer's own.
    void setTextureID(quint32 textureId, int slot) override;

    // The horizon samples of the last panorama loaded (all 0 before one is).
    const PhotoPanorama::HorizonTable& pixelNotAlpha() const { return m_pixelNotAlpha; }
    // The loaded panorama's size in pixels.
    int iWidth() const { return m_iWidth; }
    int iHeight() const { return m_iHeight; }

private:
    bool getTexture(int site);
    void dropTexture();

    const PrefControl& m_prefs;
    Links m_links;

    bool m_isContextTried = false;
    std::unique_ptr<PanoramaRenderer> m_renderer;
    // The site whose file was refused, so it is not read and reported again
    // at every frame; -1 for none.
    int m_refusedSite = -1;

    std::array<float, kNumSites> m_dirAdj{};
    std::array<float, kNumSites> m_elevAdj{};
    std::array<float, kNumSites> m_brightAdj{};
    std::array<quint16, kNumSites> m_degreeAdj{};

    int m_iWidth = 0;
    int m_iHeight = 0;
    PhotoPanorama::HorizonTable m_pixelNotAlpha{};
};
