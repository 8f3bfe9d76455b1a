#include "model/settings/PrefControl.h"

#include "model/settings/PrefKeys.h"
#include "model/settings/links/PhotoHorizonAdjustments.h"

#include <algorithm>

namespace {

// The finder radio's last row and the mount pop-up's last protocol.
constexpr std::uint16_t kMostFinderType = 2;
constexpr std::uint16_t kMostMountProtocol = 13;

// The photographic horizon's adjustments as its panel's sliders take them:
// brightness, direction in degrees, elevation in degrees.
constexpr PrefRange kPhotoBrightness{-10.0, 10.0};
constexpr PrefRange kPhotoDirection{-180.0, 180.0};
constexpr PrefRange kPhotoElevation{-10.0, 10.0};

}  // namespace

void PrefControl::loadRecords()
{
    m_store.readRecords(PrefKeys::Sites, m_sites);
    setSiteNamesArray(m_store.readStringArray(PrefKeys::SiteNamesArray));
    m_siteTZNamesArray = PrefDefaults::fitted(m_store.readStringArray(PrefKeys::SiteTimeZoneNamesArray),
                                              PrefDefaults::siteNames());
    m_store.readRecords(PrefKeys::Scopes, m_scopes);
    setScopeNamesArray(m_store.readStringArray(PrefKeys::ScopeNamesArray));
    // A damaged value would be written back as it is by the next Save Scope.
    for (scope& s : m_scopes) {
        s.finderType = std::min<std::uint16_t>(s.finderType, kMostFinderType);
        if (s.mountProtocol > kMostMountProtocol)
            s.mountProtocol = 0;
    }
    m_store.readRecords(PrefKeys::Eyepieces, m_eyepieces);
    m_currentDSLR = readInt(PrefKeys::DSLR);
    m_isFlipOutline = m_store.readBool(PrefKeys::FlipOutline);
    m_isFlipEWOutline = m_store.readBool(PrefKeys::FlipEWOutline);
}

QStringList PrefControl::storedMythArray() const
{
    return PrefDefaults::fitted(m_store.readStringArray(PrefKeys::MythArray), PrefDefaults::mythArray());
}

void PrefControl::saveSites()
{
    m_store.writeRecords(PrefKeys::Sites, m_sites);
    m_store.writeStringArray(PrefKeys::SiteNamesArray, m_siteNamesArray);
    m_store.writeStringArray(PrefKeys::SiteTimeZoneNamesArray, m_siteTZNamesArray);
}

void PrefControl::saveScopes()
{
    m_store.writeRecords(PrefKeys::Scopes, m_scopes);
    m_store.writeStringArray(PrefKeys::ScopeNamesArray, m_scopeNamesArray);
    m_store.writeBool(PrefKeys::RetainScopePolling, m_isScopeRetainPolling);
    m_store.writeBool(PrefKeys::ScopeAltAz, m_isScopeAltAz);
}

void PrefControl::saveEyepieces()
{
    m_store.writeRecords(PrefKeys::Eyepieces, m_eyepieces);
    m_store.writeInteger(PrefKeys::DSLR, m_currentDSLR);
    m_store.writeBool(PrefKeys::FlipOutline, m_isFlipOutline);
    m_store.writeBool(PrefKeys::FlipEWOutline, m_isFlipEWOutline);
}

void PrefControl::handPhotoAdjustments()
{
    PhotoHorizonAdjustments* view = m_links.photoHorizon;
    if (view == nullptr)
        return;
    std::array<float, 5> direction, elevation, brightness;
    std::array<quint16, 5> degree;
    m_store.readNumbers(PrefKeys::PhotoDirAdj, direction, kPhotoDirection);
    m_store.readNumbers(PrefKeys::PhotoElevAdj, elevation, kPhotoElevation);
    m_store.readNumbers(PrefKeys::PhotoBrightAdj, brightness, kPhotoBrightness);
    m_store.readBlock(PrefKeys::PhotoDegreeAdj, degree.data(), sizeof degree);
    for (quint16 i = 0; i < 5; ++i)
        view->setPhotoDirAdj(i, direction[i]);
    for (quint16 i = 0; i < 5; ++i)
        view->setPhotoElevAdj(i, elevation[i]);
    for (quint16 i = 0; i < 5; ++i)
        view->setPhotoBrightAdj(i, brightness[i]);
    for (quint16 i = 0; i < 5; ++i)
        view->setPhotoDegreeAdj(i, degree[i]);
}
