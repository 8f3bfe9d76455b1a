#include "model/settings/PrefControl.h"

#include "model/settings/PrefKeys.h"
#include "model/settings/links/CompanionServer.h"
#include "model/settings/links/PhotoHorizonAdjustments.h"
#include "model/settings/links/RealTimeClock.h"
#include "model/settings/links/ViewSliders.h"

#include <algorithm>
#include <cstdint>

namespace {

bool isInfoPanelSlot(int slot) { return slot >= 0 && slot < 6; }

}  // namespace

void PrefControl::setAltitude(double degrees)
{
    m_altitude = degrees;
    if (m_links.viewSliders)
        m_links.viewSliders->setAltitudeSlider(degrees);
}

void PrefControl::setAzimuth(double degrees)
{
    m_azimuth = degrees;
    if (m_links.viewSliders)
        m_links.viewSliders->setAzimuthSlider(degrees);
}

void PrefControl::setViewAngle(double degrees)
{
    m_viewAngle = degrees;
    if (m_links.viewSliders)
        m_links.viewSliders->setViewAngleSlider(degrees);
}

void PrefControl::setArrowSpeed(float speed)
{
    m_arrowSpeed = speed;
    if (m_links.viewSliders)
        m_links.viewSliders->setArrowSpeedSlider(speed);
    m_store.writeFloat(PrefKeys::ArrowSpeed, speed);
}

void PrefControl::setIsExtConnect(bool on)
{
    set(PrefFlag::ExtConnect, on);
    if (CompanionServer* server = m_links.companionServer) {
        if (on)
            server->createManager();
        else
            server->releaseManager();
    }
}

void PrefControl::setCustomFilterIndex(int index)
{
    m_customFilterIndex = index;
    m_store.writeInteger(PrefKeys::CustomFilterIndex, index);
}

void PrefControl::setCanonExpIndex(quint16 index)
{
    m_canonExpIndex = index;
    m_store.writeInteger(PrefKeys::CanonExpIndex, index);
}

int PrefControl::infoPanelValues(int slot) const
{
    return isInfoPanelSlot(slot) ? m_infoPanelValues[std::size_t(slot)] : 0;
}

void PrefControl::setInfoPanelValues(int code, int slot)
{
    if (!isInfoPanelSlot(slot))
        return;
    m_infoPanelValues[std::size_t(slot)] = code;
    m_store.writeInteger(PrefKeys::InfoPanels[std::size_t(slot)], code);
}

void PrefControl::setVersionStr(const QString& version)
{
    m_versionStr = version;
    m_store.writeString(PrefKeys::Version, version);
}

void PrefControl::saveShortcutPref(const QString& shortcuts)
{
    m_shortcutPrefStr = shortcuts;
    m_store.writeString(PrefKeys::Shortcut, shortcuts);
}

bool PrefControl::hasSavedSVPosn() const { return m_store.holds(PrefKeys::SVSavePosn); }

void PrefControl::saveSVPosnPrefs(const QString& position)
{
    m_SVSavePosnStr = position;
    m_store.writeString(PrefKeys::SVSavePosn, position);
}

QStringList PrefControl::toolbarConfiguration(const QString& toolbar) const
{
    return m_store.readStringArray(toolbar);
}

void PrefControl::saveToolbarConfiguration(const QString& toolbar, const QStringList& identifiers)
{
    m_store.writeStringArray(toolbar, identifiers);
}

void PrefControl::setCanonImageFile(const QString& path)
{
    m_canonImageFile = path;
    m_store.writeString(PrefKeys::CanonImageFile, path);
}

void PrefControl::setCanonMovieFile(const QString& path)
{
    m_canonMovieFile = path;
    m_store.writeString(PrefKeys::CanonMovieFile, path);
}

void PrefControl::setStartupTime(const QDateTime& time)
{
    m_startupTime = time;
    m_store.writeDate(PrefKeys::StartupTime, time);
}

void PrefControl::setMythArray() { m_store.writeStringArray(PrefKeys::MythArray, m_mythArray); }

void PrefControl::setPhotoDirAdjHorizon()
{
    if (m_links.photoHorizon) {
        const auto values = m_links.photoHorizon->photoDirAdjArray();
        m_store.writeBlock(PrefKeys::PhotoDirAdj, values.data(), sizeof values);
    }
}

void PrefControl::setPhotoElevAdjHorizon()
{
    if (m_links.photoHorizon) {
        const auto values = m_links.photoHorizon->photoElevAdjArray();
        m_store.writeBlock(PrefKeys::PhotoElevAdj, values.data(), sizeof values);
    }
}

void PrefControl::setPhotoBrightAdjHorizon()
{
    if (m_links.photoHorizon) {
        const auto values = m_links.photoHorizon->photoBrightAdjArray();
        m_store.writeBlock(PrefKeys::PhotoBrightAdj, values.data(), sizeof values);
    }
}

void PrefControl::setPhotoDegreeAdjHorizon()
{
    if (m_links.photoHorizon) {
        const auto values = m_links.photoHorizon->photoDegreeAdjArray();
        m_store.writeBlock(PrefKeys::PhotoDegreeAdj, values.data(), sizeof values);
    }
}

void PrefControl::saveAllSkyFPS(float framesPerSecond) { m_store.writeFloat(PrefKeys::AllSkyFPSDate, framesPerSecond); }

void PrefControl::saveAllSkyCodec(int codec, unsigned long quality)
{
    m_store.writeInteger(PrefKeys::AllSkyCodecDate, codec);
    m_store.writeInteger(PrefKeys::AllSkyQualityDate, qint64(std::min<unsigned long>(quality, INT64_MAX)));
}

void PrefControl::saveAllSkyPosn(int position, bool isUTC, bool isSec)
{
    m_store.writeInteger(PrefKeys::AllSkyPosnDate, position);
    m_store.writeBool(PrefKeys::AllSkyUTCDate, isUTC);
    m_store.writeBool(PrefKeys::AllSkySecDate, isSec);
}

void PrefControl::setIsRunRealTime(bool on, bool storeOnly)
{
    if (storeOnly) {
        m_store.writeBool(PrefKeys::RunRealTime, on);
        return;
    }
    m_isRunRealTime = on;
    if (on && m_links.realTimeClock)
        m_links.realTimeClock->setRunRealTime();
}

void PrefControl::setCurrentSite(int site)
{
    m_currentSite = site;
    if (m_links.photoHorizon)
        m_links.photoHorizon->setTextureID(0, 0);
}

void PrefControl::setSiteNamesArray(const QStringList& names)
{
    m_siteNamesArray = PrefDefaults::boundedNames(PrefDefaults::fitted(names, PrefDefaults::siteNames()));
}

void PrefControl::setTZNamesArray(const QStringList& names)
{
    m_siteTZNamesArray = PrefDefaults::fitted(names, PrefDefaults::siteNames());
}

void PrefControl::setScopeNamesArray(const QStringList& names)
{
    m_scopeNamesArray = PrefDefaults::boundedNames(PrefDefaults::fitted(names, PrefDefaults::scopeNames()));
}
