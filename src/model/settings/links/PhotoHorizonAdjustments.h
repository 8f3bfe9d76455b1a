#pragma once

#include <QtGlobal>

#include <array>

// The photographic-horizon renderer's per-site adjustments (five sites) and
// its texture cache, as the settings object hands them over and stores them.
class PhotoHorizonAdjustments {
public:
    virtual ~PhotoHorizonAdjustments() = default;
    virtual void setPhotoDirAdj(quint16 site, float degrees) = 0;
    virtual void setPhotoElevAdj(quint16 site, float degrees) = 0;
    virtual void setPhotoBrightAdj(quint16 site, float brightness) = 0;
    virtual void setPhotoDegreeAdj(quint16 site, quint16 value) = 0;
    virtual std::array<float, 5> photoDirAdjArray() const = 0;
    virtual std::array<float, 5> photoElevAdjArray() const = 0;
    virtual std::array<float, 5> photoBrightAdjArray() const = 0;
    virtual std::array<quint16, 5> photoDegreeAdjArray() const = 0;
    // Id 0 drops the texture cached in the slot (0 or 1).
    virtual void setTextureID(quint32 textureId, int slot) = 0;
};
