#include "model/prefs/PrefControl.h"

#include "model/prefs/links/PhotoHorizonAdjustments.h"

void PrefControl::loadRecords()
{
    m_store.readRecords("SitesPref", m_sites);
    m_siteNamesArray = PrefDefaults::fitted(m_store.readStringArray("SiteNamesArrayPref"),
                                            PrefDefaults::siteNames());
    m_siteTZNamesArray = PrefDefaults::fitted(m_store.readStringArray("SiteTimeZoneNamesArrayPref"),
                                              PrefDefaults::siteNames());
    m_store.readRecords("ScopesPref", m_scopes);
    m_scopeNamesArray = PrefDefaults::fitted(m_store.readStringArray("ScopeNamesArrayPref"),
                                             PrefDefaults::scopeNames());
    m_store.readRecords("EyepiecesPref", m_eyepieces);
    m_currentDSLR = readInt("DSLRPref");
    m_isFlipOutline = m_store.readBool("FlipOutlinePref");
    m_isFlipEWOutline = m_store.readBool("FlipEWOutlinePref");
}

QStringList PrefControl::storedMythArray() const
{
    return PrefDefaults::fitted(m_store.readStringArray("MythArrayPref"), PrefDefaults::mythArray());
}

void PrefControl::saveSites()
{
    m_store.writeRecords("SitesPref", m_sites);
    m_store.writeStringArray("SiteNamesArrayPref", m_siteNamesArray);
    m_store.writeStringArray("SiteTimeZoneNamesArrayPref", m_siteTZNamesArray);
}

void PrefControl::saveScopes()
{
    m_store.writeRecords("ScopesPref", m_scopes);
    m_store.writeStringArray("ScopeNamesArrayPref", m_scopeNamesArray);
    m_store.writeBool("RetainScopePollingPref", m_isScopeRetainPolling);
    m_store.writeBool("ScopeAltAzPref", m_isScopeAltAz);
}

void PrefControl::saveEyepieces()
{
    m_store.writeRecords("EyepiecesPref", m_eyepieces);
    m_store.writeInteger("DSLRPref", m_currentDSLR);
    m_store.writeBool("FlipOutlinePref", m_isFlipOutline);
    m_store.writeBool("FlipEWOutlinePref", m_isFlipEWOutline);
}

void PrefControl::handPhotoAdjustments()
{
    PhotoHorizonAdjustments* view = m_links.photoHorizon;
    if (view == nullptr)
        return;
    std::array<float, 5> direction, elevation, brightness;
    std::array<quint16, 5> degree;
    m_store.readBlock("PhotoDirAdjPref", direction.data(), sizeof direction);
    m_store.readBlock("PhotoElevAdjPref", elevation.data(), sizeof elevation);
    m_store.readBlock("PhotoBrightAdjPref", brightness.data(), sizeof brightness);
    m_store.readBlock("PhotoDegreeAdjPref", degree.data(), sizeof degree);
    for (quint16 i = 0; i < 5; ++i)
        view->setPhotoDirAdj(i, direction[i]);
    for (quint16 i = 0; i < 5; ++i)
        view->setPhotoElevAdj(i, elevation[i]);
    for (quint16 i = 0; i < 5; ++i)
        view->setPhotoBrightAdj(i, brightness[i]);
    for (quint16 i = 0; i < 5; ++i)
        view->setPhotoDegreeAdj(i, degree[i]);
}
