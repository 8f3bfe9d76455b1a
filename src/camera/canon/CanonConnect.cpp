#include "camera/canon/CanonControl.h"

#include "camera/canon/CanonTables.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"

#include <QtEndian>

#include <algorithm>

using namespace CanonIds;

namespace {

const QString kBlank = QStringLiteral(" ");
const QString kExposureErrorTitle = QStringLiteral("The exposure time setting generated an error.");
const QString kExposureErrorMessage = QStringLiteral("Some exposure times are not valid for your camera.");

}  // namespace

bool CanonControl::failConnection(const QString& line, bool closeSession)
{
    if (closeSession)
        m_sdk.closeSession();
    m_sdk.releaseCamera();
    m_hasCamera = false;
    m_sdk.terminateSdk();
    m_isSDKInit = false;
    if (!line.isEmpty())
        log(line);
    return false;
}

bool CanonControl::canonConnect()
{
    m_sdk.releaseCamera();
    m_hasCamera = false;
    if (!m_isSDKInit) {
        const Error error = m_sdk.initializeSdk();
        if (error != kOk) {
            logError("EdsInitializeSDK error: 0x%04X.", error);
            return false;
        }
        m_isSDKInit = true;
    }
    Error error = m_sdk.getCameraList();
    if (error != kOk) {
        m_sdk.releaseCameraList();
        failConnection({}, false);
        logError("EdsGetCameraList error: 0x%04X.", error);
        return false;
    }
    std::uint32_t count = 0;
    error = m_sdk.getChildCount(count);
    if (error != kOk || count == 0) {
        m_sdk.releaseCameraList();
        return failConnection(QStringLiteral("EdsGetChildCount: No cameras found."), false);
    }
    error = m_sdk.getChildAtIndex(0);
    m_hasCamera = error == kOk;
    m_sdk.releaseCameraList();
    if (error != kOk) {
        failConnection({}, false);
        logError("EdsGetChildAtIndex error: 0x%04X.", error);
        return false;
    }
    error = m_sdk.openSession();
    if (error != kOk) {
        failConnection({}, false);
        logError("EdsOpenSession error: 0x%04X.", error);
        if (error == kErrNotSupported)
            AlertPanel::runAlert(QStringLiteral("This model of camera is not supported."), kBlank);
        return false;
    }

    readISOChoices();
    readCurrentISO();

    error = m_sdk.getUInt32(kPropAEMode, 0, m_canonAEData);
    if (error != kOk)
        logError("EdsGetPropertyData kEdsPropID_AEMode error: 0x%04X.", error);
    else
        m_debug([&] { return QString::asprintf("EdsGetPropertyData kEdsPropID_AEMode value: %d.", int(m_canonAEData)); });
    if (m_canonAEData != kAEManual && m_canonAEData != kAEBulb) {
        AlertPanel::runAlert(QStringLiteral("AE mode is not set to Manual or Bulb."),
                             QStringLiteral("You need to set your camera to manual or Bulb mode before you connect."));
        return failConnection({}, true);
    }

    chooseStoredExposure();
    setupSaveTarget();
    setupLiveView();
    setupWhiteBalance();
    readCameraName();
    const bool supported = chooseModel();
    writeShutterSpeedOnConnect();
    if (!checkMirrorLockup())
        return false;
    if (!setHandlers())
        return false;
    finishConnection(supported);
    return true;
}

void CanonControl::readISOChoices()
{
    std::vector<std::int32_t> elements;
    const Error error = m_sdk.getPropertyDesc(kPropISOSpeed, elements);
    if (error != kOk) {
        logError("EdsGetPropertyDesc kEdsPropID_ISOSpeed error: 0x%04X.", error);
        return;
    }
    // The first element is not a choice; an empty list has none.
    const std::size_t choices = elements.empty() ? 0 : elements.size() - 1;
    m_numMaxISO = static_cast<std::uint32_t>(std::min<std::size_t>(choices, CanonTables::kMaxISOChoices));
    m_panel.isoTitles.clear();
    for (std::uint32_t i = 0; i < m_numMaxISO; ++i) {
        m_canonISOMenu[i] = static_cast<std::uint32_t>(elements[i + 1]);
        m_panel.isoTitles << CanonTables::isoChoice(m_canonISOMenu[i]).title;
    }
}

void CanonControl::readCurrentISO()
{
    std::uint32_t code = 0;
    const Error error = m_sdk.getUInt32(kPropISOSpeed, 0, code);
    m_canonISO = 0;
    m_panel.isoSelected = 0;
    if (error != kOk) {
        logError("EdsGetPropertyData kEdsPropID_ISOSpeed error: 0x%04X.", error);
        return;
    }
    const CanonTables::ISOChoice choice = CanonTables::isoChoice(code);
    if (!choice.known)
        return;
    m_canonISO = choice.iso;
    m_isoCode = code;
    m_panel.isoSelected = std::max<int>(0, static_cast<int>(m_panel.isoTitles.indexOf(choice.title)));
}

void CanonControl::chooseStoredExposure()
{
    const int index = m_prefs.canonExpIndex();
    if (index < CanonTables::kExposureCount) {
        const CanonTables::Exposure& exposure = CanonTables::exposure(index);
        m_isCanonBulb = index < CanonTables::kFirstShutterSpeed;
        m_canonExpTime = exposure.seconds;
        m_expCode = exposure.tvCode;
        m_panel.expSelected = index;
        m_panel.expValue = m_panel.expTitles.value(index);
    } else {
        m_isCanonBulb = true;
        m_expCode = kTvBulb;
    }
    m_panel.delaySelected = 0;
}

void CanonControl::setupSaveTarget()
{
    m_canonSaveTo = kSaveToHost;
    const Error error = m_sdk.setUInt32(kPropSaveTo, 0, m_canonSaveTo);
    if (error == kOk) {
        const Error capacity = m_sdk.setCapacity({});
        if (capacity != kOk)
            logError("EdsSetCapacity error: 0x%04X.", capacity);
    } else {
        m_canonSaveTo = kSaveToCamera;
        logError("EdsSetPropertyData kEdsPropID_SaveTo error: 0x%04X.", error);
    }
    m_panel.saveToCameraChecked = false;
    m_panel.saveToMacChecked = true;
    m_panel.fileFolderEnabled = true;
    m_panel.focusEnabled = false;
    m_panel.recordEnabled = false;
    m_panel.movieFolderEnabled = false;
    m_panel.movieFramesEnabled = false;
    m_panel.movieQualityEnabled = false;
}

void CanonControl::setupLiveView()
{
    std::uint32_t mode = 0;
    Error error = m_sdk.getUInt32(kPropEvfMode, 0, mode);
    if (error != kOk)
        logError("EdsGetPropertyData kEdsPropID_Evf_Mode error: 0x%04X.", error);
    if (mode != 1) {
        error = m_sdk.setUInt32(kPropEvfMode, 0, 1);
        if (error != kOk)
            logError("EdsSetPropertyData kEdsPropID_Evf_Mode error: 0x%04X.", error);
        else
            mode = 1;
    }
    if (mode == 1) {
        m_panel.focusEnabled = true;
        m_panel.movieFolderEnabled = true;
        m_panel.movieFramesEnabled = true;
        m_panel.movieQualityEnabled = true;
        m_isLiveViewCapable = true;
    }
}

void CanonControl::setupWhiteBalance()
{
    Error error = m_sdk.setUInt32(kPropWhiteBalance, 0, kWhiteBalanceColorTemp);
    if (error != kOk) {
        logError("EdsSetPropertyData kEdsPropID_WhiteBalance error: 0x%04X.", error);
        return;
    }
    if (m_isLiveViewCapable) {
        error = m_sdk.setUInt32(kPropEvfWhiteBalance, 0, kWhiteBalanceColorTemp);
        if (error != kOk)
            logError("EdsSetPropertyData kEdsPropID_Evf_WhiteBalance error: 0x%04X.", error);
    }
    m_degK = 5200;
    error = m_sdk.setUInt32(kPropColorTemperature, 0, m_degK);
    if (error != kOk) {
        logError("EdsSetPropertyData kEdsPropID_ColorTemperature error: 0x%04X.", error);
        return;
    }
    if (m_isLiveViewCapable) {
        error = m_sdk.setUInt32(kPropEvfColorTemperature, 0, m_degK);
        if (error != kOk)
            logError("EdsSetPropertyData kEdsPropID_Evf_ColorTemperature error: 0x%04X.", error);
    }
}

void CanonControl::readCameraName()
{
    CanonSdk::DeviceInfo info;
    if (m_sdk.getDeviceInfo(info) != kOk) {
        m_canonCameraName = QStringLiteral("Unknown Camera");
        return;
    }
    m_canonCameraName = info.description;
    if (info.deviceSubType == 0) {
        log(QStringLiteral("EdsGetDeviceInfo deviceSubType Type 1 protocol"));
        AlertPanel::runAlert(QStringLiteral("This model of camera may not be supported."),
                             QStringLiteral("Type 1 legacy protocol"));
    }
}

bool CanonControl::readFocusInfoSize()
{
    std::uint32_t size = 0;
    if (m_sdk.getPropertySize(kPropFocusInfo, 0, size) != kOk)
        return false;
    QByteArray info(kFocusInfoSize, '\0');
    if (m_sdk.getPropertyData(kPropFocusInfo, 0, info) != kOk || info.size() < kFocusInfoSize)
        return false;
    const auto width = qFromLittleEndian<std::uint32_t>(info.constData() + kFocusInfoWidthOffset);
    const auto height = qFromLittleEndian<std::uint32_t>(info.constData() + kFocusInfoHeightOffset);
    if (width < 500)
        return false;
    m_width = width;
    m_height = height;
    return true;
}

bool CanonControl::chooseModel()
{
    m_width = 3888;
    m_height = 2592;
    m_is7D = m_is60D = m_isT1i = false;
    CanonTables::Family family = CanonTables::Family::None;
    // A camera that tells its own image size counts as supported.
    bool supported = readFocusInfoSize();
    if (supported) {
        family = CanonTables::familyForName(m_canonCameraName);
    } else {
        const CanonTables::Model model = CanonTables::modelForName(m_canonCameraName);
        m_width = model.width;
        m_height = model.height;
        family = model.family;
        supported = model.matched;
    }
    m_is7D = family == CanonTables::Family::Is7D;
    m_is60D = family == CanonTables::Family::Is60D;
    m_isT1i = family == CanonTables::Family::IsT1i;

    m_debug([&] { return QString::asprintf("%s, image size: %.0f X %.0f.", qPrintable(m_canonCameraName), m_width, m_height); });
    if (m_is7D)
        log(m_canonCameraName + " is7D.");
    else if (m_is60D)
        log(m_canonCameraName + " is60D.");
    else if (m_isT1i)
        log(m_canonCameraName + " isT1i.");
    else
        log(m_canonCameraName + " does not have Bulb on mode dial.");
    m_width5 = m_width / 5;
    m_height5 = m_height / 5;
    m_width10 = m_width / 10;
    m_height10 = m_height / 10;
    m_factor = m_viewW > 0 ? m_width / m_viewW : 0;
    return supported;
}

void CanonControl::writeShutterSpeedOnConnect()
{
    if (m_is7D) {
        const std::uint32_t wanted = m_isCanonBulb ? kAEBulb : kAEManual;
        if (m_canonAEData != wanted) {
            m_canonAEData = wanted;
            const Error error = m_sdk.setUInt32(kPropAEMode, 0, m_canonAEData);
            if (error != kOk) {
                logError("EdsSetPropertyData (is7D) kEdsPropID_AEMode error: 0x%04X.", error);
                AlertPanel::runAlert(kExposureErrorTitle, kExposureErrorMessage);
            }
        }
        const Error error = m_sdk.setUInt32(kPropTv, 0, m_expCode);
        if (error != kOk) {
            logError("EdsSetPropertyData Connect (7D) kEdsPropID_Tv error: 0x%04X.", error);
            AlertPanel::runAlert(kExposureErrorTitle, kExposureErrorMessage);
        }
        return;
    }
    if (m_is60D) {
        set60DExposure("EdsSetPropertyData Connect (60D) kEdsPropID_Tv error: 0x%04X.");
        return;
    }
    const Error error = m_sdk.setUInt32(kPropTv, 0, m_expCode);
    if (error != kOk)
        logError("EdsSetPropertyData Connect kEdsPropID_Tv error: 0x%04X.", error);
}

bool CanonControl::checkMirrorLockup()
{
    std::uint32_t lockup = 0;
    Error error = m_sdk.getUInt32(kPropCustomFunction, kParamMirrorLockup, lockup);
    if (error != kOk) {
        logError("EdsGetPropertyData MirrorLockup error: 0x%04X.", error);
        return true;
    }
    if (lockup != 1)
        return true;
    error = m_sdk.setUInt32(kPropCustomFunction, kParamMirrorLockup, 0);
    if (error == kOk)
        return true;
    AlertPanel::runAlert(QStringLiteral("Mirror lockup is enabled."),
                         QStringLiteral("Mirror lockup must be disabled before connection."));
    logError("EdsSetPropertyData MirrorLockup error: 0x%04X.", error);
    return failConnection({}, true);
}

bool CanonControl::setHandlers()
{
    Error error = m_sdk.setObjectEventHandler(
        [this](std::uint32_t event, CanonSdk::Item item) { handleCanonObjectEvent(event, item); });
    const char* line = "EdsSetObjectEventHandler error: 0x%04X.";
    if (error == kOk) {
        error = m_sdk.setPropertyEventHandler([this](std::uint32_t event, std::uint32_t property, std::uint32_t param) {
            handleCanonPropertyEvent(event, property, param);
        });
        line = "EdsSetPropertyEventHandler error: 0x%04X.";
    }
    if (error == kOk) {
        error = m_sdk.setCameraStateEventHandler(
            [this](std::uint32_t event, std::uint32_t data) { handleCanonStateEvent(event, data); });
        line = "EdsSetCameraStateEventHandler error: 0x%04X.";
    }
    if (error == kOk)
        return true;
    failConnection({}, true);
    logError(line, error);
    return false;
}

void CanonControl::finishConnection(bool supported)
{
    m_canonImageFileDir = m_prefs.canonImageFile();
    m_canonMovieFileDir = m_prefs.canonMovieFile();
    m_panel.title = m_canonCameraName;
    m_panel.fileFolderToolTip = QStringLiteral("Image Path: %1").arg(m_canonImageFileDir);
    m_panel.movieFolderToolTip = QStringLiteral("Movie Path: %1").arg(m_canonMovieFileDir);
    m_isCanonConnected = true;
    m_batteryTimer.start();
    canonBatteryLevelTimer();
    changed();
    emit showPanelRequested();
    if (!supported)
        AlertPanel::runAlert(QStringLiteral("Unknown Camera"), QStringLiteral("This camera may not be supported."));
}
