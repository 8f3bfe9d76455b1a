#include "model/settings/PrefControl.h"

#include "model/settings/PrefKeys.h"
#include "model/settings/links/ViewSliders.h"
#include "model/settings/links/WifiBridge.h"
#include "platform/AppTimeZone.h"
#include "platform/DataPaths.h"

#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QThread>

#include <algorithm>
#include <limits>

namespace {

// The night-vision transfer formula: only dim red is left on the display.
constexpr GammaFormula kNightVisionGamma = {0.0f, 0.6f, 0.72f, 0.0f, 0.0f, 0.71f, 0.0f, 0.0f, 0.78f};

// The deep-star zone files, south ("ccm") then north ("ccp"), in 5-degree steps.
QStringList deepStarZoneFiles()
{
    const QString base = DataPaths::bundleDataFolder() + QStringLiteral("/HT2Stars/");
    QStringList files;
    for (const char* hemisphere : {"ccm", "ccp"}) {
        for (int degrees = 0; degrees <= 70; degrees += 5)
            files.append(base + QString::fromLatin1(hemisphere)
                         + QStringLiteral("%1.txt").arg(degrees, 2, 10, QLatin1Char('0')));
    }
    return files;
}

}  // namespace

PrefControl::PrefControl(DisplayGamma& gamma)
    : m_store(AppTimeZone::now()),
      m_gamma(gamma),
      m_displayID(gamma.displayID()),
      m_defaultGammaArray(gamma.defaultFormula()),
      m_nvGammaArray(kNightVisionGamma),
      m_HT2FilesArray(deepStarZoneFiles()),
      m_numCores(quint16(std::clamp(QThread::idealThreadCount(), 1, 65535))),
      m_mistColor(QColor::fromRgbF(0.6f, 0.5f, 0.8f, 1.0f)),
      m_outlineLabelAttributes{QFont(QStringLiteral("Geneva"), 9), QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.75f)}
{
    m_mythArray.reserve(90);
    if (const QCoreApplication* app = QCoreApplication::instance())
        m_quitConnection = QObject::connect(app, &QCoreApplication::aboutToQuit, [this] { appQuit(); });
}

PrefControl::~PrefControl() { QObject::disconnect(m_quitConnection); }

void PrefControl::storeSwitch(PrefFlag f, bool on)
{
    m_store.writeBool(QString::fromLatin1(kPrefFlagKeys[std::size_t(f)]), on);
}

int PrefControl::readInt(const QString& key) const
{
    return int(std::clamp<qint64>(m_store.readInteger(key), std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}

quint16 PrefControl::readUInt16(const QString& key) const
{
    return quint16(std::clamp<qint64>(m_store.readInteger(key), 0, 65535));
}

int PrefControl::geminiBaudTag(qint64 baud)
{
    switch (baud) {
    case 4800: return 42;
    case 9600: return 43;
    case 19200: return 44;
    case 38400: return 45;
    case 28800: return 47;
    default: return 43;
    }
}

void PrefControl::readPrefs()
{
    const QScopedValueRollback reading(m_isReading, true);

    m_versionStr = m_store.readString(PrefKeys::Version);
    m_altitude = m_store.readFloat(PrefKeys::Altitude);
    m_azimuth = m_store.readFloat(PrefKeys::Azimuth);
    m_startupDirection = float(m_azimuth);
    m_viewAngle = m_store.readFloat(PrefKeys::ViewAngle);
    m_arrowSpeed = m_store.readFloat(PrefKeys::ArrowSpeed);
    if (m_links.viewSliders)
        m_links.viewSliders->setArrowSpeedSlider(m_arrowSpeed);

    handMountSettings();
    m_isScopeRetainPolling = m_store.readBool(PrefKeys::RetainScopePolling);
    m_isScopeAltAz = m_store.readBool(PrefKeys::ScopeAltAz);

    m_starMagLimit = m_store.readFloat(PrefKeys::StarMagLimit);
    m_svStarMagLimit = m_store.readFloat(PrefKeys::StarSVMagLimit);
    m_cometMagLimit = m_store.readFloat(PrefKeys::CometMagLimit);
    m_mpMagLimit = m_store.readFloat(PrefKeys::MPMagLimit);
    m_deepSkyMagLimit = m_store.readFloat(PrefKeys::DeepSkyMagLimit);
    m_planetMagLimit = m_store.readFloat(PrefKeys::PlanetMagLimit);
    m_starColorVal = m_store.readFloat(PrefKeys::StarColorVal);
    m_starBrightVal = m_store.readFloat(PrefKeys::StarBrightVal);
    m_starShiftVal = m_store.readFloat(PrefKeys::StarShiftVal);

    for (std::size_t i = 0; i < kPrefFlagCount; ++i)
        m_flags[i] = m_store.readBool(QString::fromLatin1(kPrefFlagKeys[i]));
    m_customFilterIndex = readInt(PrefKeys::CustomFilterIndex);
    m_pathDays = m_store.readFloat(PrefKeys::PathDays);
    m_pathPercent = m_store.readFloat(PrefKeys::PathPercent);

    handPhotoAdjustments();
    m_isRunRealTime = m_store.readBool(PrefKeys::RunRealTime);
    readColors();
    readFonts();

    if (m_isLaunch) {
        buildAttributeSets();
        loadRecords();
        if (m_links.wifiBridge) {
            m_links.wifiBridge->setWifiIPAddress(m_store.readString(PrefKeys::WiFiIP));
            m_links.wifiBridge->setWifiPortNumber(m_store.readString(PrefKeys::WiFiPort));
        }
        m_startupTime = m_store.readDate(PrefKeys::StartupTime);
        m_mythArray.append(storedMythArray());
    }

    m_latitude = m_sites[0].latitude;
    m_longitude = m_sites[0].longitude;
    for (std::size_t slot = 0; slot < m_infoPanelValues.size(); ++slot)
        m_infoPanelValues[slot] = readInt(PrefKeys::InfoPanels[slot]);

    handFocuserSettings();
    handSG4Settings();

    m_SVSavePosnStr = m_store.readString(PrefKeys::SVSavePosn);
    m_shortcutPrefStr = m_store.readString(PrefKeys::Shortcut);
    m_canonImageFile = m_store.readString(PrefKeys::CanonImageFile);
    m_canonMovieFile = m_store.readString(PrefKeys::CanonMovieFile);
    m_canonExpIndex = readUInt16(PrefKeys::CanonExpIndex);

    handDomeSettings();
    handAllSkyDateSettings();
    m_isLaunch = false;
}
