#include "camera/canon/CanonControl.h"

#include "camera/canon/CanonTables.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"

#include <QPointer>
#include <QtEndian>

#include <algorithm>

using namespace CanonIds;

namespace {

const QString& kBlank = CanonTables::kBlankText;
const QString kExposureErrorTitle = QStringLiteral("The exposure time setting generated an error.");
const QString kExposureErrorMessage = QStringLiteral("Some exposure times are not valid for your camera.");

// Failures the user is told of when a connection ends without a camera.
const QString kNoCamera = QStringLiteral("No camera was found.");
const QString kCameraBusy = QStringLiteral("The camera is busy or held by another program.");
const QString kCameraNotOpened = QStringLiteral("The camera could not be opened.");
const QString kNotSupported = QStringLiteral("This model of camera is not supported.");
const QString kAEModeTitle = QStringLiteral("AE mode is not set to Manual or Bulb.");
const QString kMirrorLockupTitle = QStringLiteral("Mirror lockup is enabled.");

// The failure as the user reads it: what went wrong, with the library's
// own words when it gave some.
QString failure(const QString& what, CanonSdk::Error error, const QString& words)
{
    const QString said = error == kErrDeviceBusy ? kCameraBusy : what;
    return words.trimmed().isEmpty() ? said : QStringLiteral("%1 (%2)").arg(said, words.trimmed());
}

}  // namespace

template <class Then>
auto CanonControl::whileConnecting(Then then)
{
    return whilePending(&CanonControl::m_isCanonConnecting, &CanonControl::m_connectGeneration, std::move(then));
}

void CanonControl::failConnection(const QString& line, bool closeSession)
{
    if (closeSession)
        m_sdk.closeSession();
    m_sdk.releaseCamera();
    m_hasCamera = false;
    m_sdk.terminateSdk();
    m_isSDKInit = false;
    if (!line.isEmpty())
        log(line);
}

void CanonControl::endConnection(bool connected, const QString& why)
{
    m_isCanonConnecting = false;
    const Connected done = std::move(m_connectDone);
    m_connectDone = {};
    changed();
    if (done)
        done(connected, why);
}

void CanonControl::canonConnect(Connected done)
{
    if (m_isCanonConnecting) {
        if (done)
            done(false, QStringLiteral("A connection to the camera is already being made."));
        return;
    }
    m_isCanonConnecting = true;
    ++m_connectGeneration;
    m_connectDone = std::move(done);
    changed();
    m_sdk.releaseCamera();
    m_hasCamera = false;
    if (m_isSDKInit) {
        findCamera();
        return;
    }
    m_sdk.startSdk(whileConnecting([this](Error error, const QString& words) {
        if (error != kOk) {
            logError("EdsInitializeSDK error: 0x%04X.", error);
            endConnection(false, failure(QStringLiteral("The camera library could not start."), error, words));
            return;
        }
        m_isSDKInit = true;
        findCamera();
    }));
}

void CanonControl::findCamera()
{
    m_sdk.findCameras(whileConnecting([this](Error error, const QString& words) {
        if (error != kOk) {
            m_sdk.releaseCameraList();
            failConnection({}, false);
            logError("EdsGetCameraList error: 0x%04X.", error);
            endConnection(false, failure(QStringLiteral("The cameras could not be listed."), error, words));
            return;
        }
        m_sdk.countCameras(whileConnecting([this](Error counted, std::uint32_t count) {
            if (counted != kOk || count == 0) {
                m_sdk.releaseCameraList();
                failConnection(QStringLiteral("EdsGetChildCount: No cameras found."), false);
                endConnection(false, kNoCamera);
                return;
            }
            openCamera();
        }));
    }));
}

void CanonControl::openCamera()
{
    m_sdk.chooseCamera(0, whileConnecting([this](Error error, const QString& words) {
        m_hasCamera = error == kOk;
        m_sdk.releaseCameraList();
        if (error != kOk) {
            failConnection({}, false);
            logError("EdsGetChildAtIndex error: 0x%04X.", error);
            endConnection(false, failure(kCameraNotOpened, error, words));
            return;
        }
        m_sdk.startSession(whileConnecting([this](Error opened, const QString& why) {
            if (opened != kOk) {
                failConnection({}, false);
                logError("EdsOpenSession error: 0x%04X.", opened);
                if (opened == kErrNotSupported)
                    AlertPanel::runAlert(kNotSupported, kBlank);
                // The refusal was alerted in the camera's own words just above.
                endConnection(false, opened == kErrNotSupported ? QString() : failure(kCameraNotOpened, opened, why));
                return;
            }
            readISOChoices(whileConnecting([this] { readCurrentISO(whileConnecting([this] { readAEMode(); })); }));
        }));
    }));
}

void CanonControl::readAEMode()
{
    m_sdk.readUInt32(kPropAEMode, 0, whileConnecting([this](Error error, std::uint32_t mode) {
        if (error != kOk) {
            logError("EdsGetPropertyData kEdsPropID_AEMode error: 0x%04X.", error);
        } else {
            m_canonAEData = mode;
            m_debug([&] { return QString::asprintf("EdsGetPropertyData kEdsPropID_AEMode value: %d.", int(m_canonAEData)); });
        }
        if (m_canonAEData != kAEManual && m_canonAEData != kAEBulb) {
            AlertPanel::runAlert(kAEModeTitle,
                                 QStringLiteral("You need to set your camera to manual or Bulb mode before you connect."));
            failConnection({}, true);
            endConnection(false, {});
            return;
        }
        chooseStoredExposure();
        prepareCamera();
    }));
}

void CanonControl::prepareCamera()
{
    setupSaveTarget(whileConnecting([this] {
        setupLiveView(whileConnecting([this] {
            setupWhiteBalance(whileConnecting([this] {
                readCameraName(whileConnecting([this] {
                    chooseModel(whileConnecting([this](bool supported) {
                        writeShutterSpeedOnConnect(whileConnecting([this, supported] {
                            checkMirrorLockup(whileConnecting([this, supported] {
                                if (setHandlers())
                                    finishConnection(supported);
                            }));
                        }));
                    }));
                }));
            }));
        }));
    }));
}

void CanonControl::readISOChoices(Next next)
{
    m_sdk.readPropertyDesc(kPropISOSpeed, whileConnecting([this, next](Error error, const std::vector<std::int32_t>& elements) {
        if (error != kOk) {
            logError("EdsGetPropertyDesc kEdsPropID_ISOSpeed error: 0x%04X.", error);
            next();
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
        next();
    }));
}

void CanonControl::readCurrentISO(Next next)
{
    m_sdk.readUInt32(kPropISOSpeed, 0, whileConnecting([this, next](Error error, std::uint32_t code) {
        m_canonISO = 0;
        m_panel.isoSelected = 0;
        if (error != kOk)
            logError("EdsGetPropertyData kEdsPropID_ISOSpeed error: 0x%04X.", error);
        const CanonTables::ISOChoice choice = CanonTables::isoChoice(code);
        if (error == kOk && choice.known) {
            m_canonISO = choice.iso;
            m_isoCode = code;
            m_panel.isoSelected = std::max<int>(0, static_cast<int>(m_panel.isoTitles.indexOf(choice.title)));
        }
        next();
    }));
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

void CanonControl::setupSaveTarget(Next next)
{
    m_canonSaveTo = kSaveToHost;
    m_panel.saveToCameraChecked = false;
    m_panel.saveToMacChecked = true;
    m_panel.fileFolderEnabled = true;
    m_panel.focusEnabled = false;
    m_panel.recordEnabled = false;
    m_panel.movieFolderEnabled = false;
    m_panel.movieFramesEnabled = false;
    m_panel.movieQualityEnabled = false;
    m_sdk.writeUInt32(kPropSaveTo, 0, m_canonSaveTo, whileConnecting([this, next](Error error) {
        if (error != kOk) {
            m_canonSaveTo = kSaveToCamera;
            logError("EdsSetPropertyData kEdsPropID_SaveTo error: 0x%04X.", error);
            next();
            return;
        }
        m_sdk.writeCapacity({}, whileConnecting([this, next](Error capacity) {
            if (capacity != kOk)
                logError("EdsSetCapacity error: 0x%04X.", capacity);
            next();
        }));
    }));
}

void CanonControl::setupLiveView(Next next)
{
    const auto takeMode = [this, next](std::uint32_t mode) {
        if (mode == 1) {
            m_panel.focusEnabled = true;
            m_panel.movieFolderEnabled = true;
            m_panel.movieFramesEnabled = true;
            m_panel.movieQualityEnabled = true;
            m_isLiveViewCapable = true;
        }
        next();
    };
    m_sdk.readUInt32(kPropEvfMode, 0, whileConnecting([this, takeMode](Error error, std::uint32_t mode) {
        if (error != kOk)
            logError("EdsGetPropertyData kEdsPropID_Evf_Mode error: 0x%04X.", error);
        if (error == kOk && mode == 1) {
            takeMode(mode);
            return;
        }
        m_sdk.writeUInt32(kPropEvfMode, 0, 1, whileConnecting([this, takeMode, mode](Error written) {
            if (written != kOk)
                logError("EdsSetPropertyData kEdsPropID_Evf_Mode error: 0x%04X.", written);
            takeMode(written == kOk ? 1 : mode);
        }));
    }));
}

void CanonControl::setupWhiteBalance(Next next)
{
    // Each write waits for the one before; a refused mode or temperature
    // skips what depends on it.
    const auto write = [this](std::uint32_t property, std::uint32_t value, const char* format, auto then) {
        m_sdk.writeUInt32(property, 0, value, whileConnecting([this, format, then](Error error) {
            if (error != kOk)
                logError(format, error);
            then(error == kOk);
        }));
    };
    const auto evf = [this, write](std::uint32_t property, std::uint32_t value, const char* format, Next then) {
        if (!m_isLiveViewCapable) {
            then();
            return;
        }
        write(property, value, format, [then](bool) { then(); });
    };
    write(kPropWhiteBalance, kWhiteBalanceColorTemp, "EdsSetPropertyData kEdsPropID_WhiteBalance error: 0x%04X.",
          [this, write, evf, next](bool written) {
        if (!written) {
            next();
            return;
        }
        evf(kPropEvfWhiteBalance, kWhiteBalanceColorTemp, "EdsSetPropertyData kEdsPropID_Evf_WhiteBalance error: 0x%04X.",
            [this, write, evf, next] {
            m_degK = 5200;
            write(kPropColorTemperature, m_degK, "EdsSetPropertyData kEdsPropID_ColorTemperature error: 0x%04X.",
                  [this, evf, next](bool temperature) {
                if (!temperature) {
                    next();
                    return;
                }
                evf(kPropEvfColorTemperature, m_degK,
                    "EdsSetPropertyData kEdsPropID_Evf_ColorTemperature error: 0x%04X.", next);
            });
        });
    });
}

void CanonControl::readCameraName(Next next)
{
    m_sdk.readDeviceInfo(whileConnecting([this, next](Error error, const CanonSdk::DeviceInfo& info) {
        if (error != kOk) {
            m_canonCameraName = QStringLiteral("Unknown Camera");
            next();
            return;
        }
        m_canonCameraName = info.description;
        if (info.deviceSubType == 0) {
            log(QStringLiteral("EdsGetDeviceInfo deviceSubType Type 1 protocol"));
            AlertPanel::runAlert(QStringLiteral("This model of camera may not be supported."),
                                 QStringLiteral("Type 1 legacy protocol"));
        }
        next();
    }));
}

void CanonControl::readFocusInfoSize(std::function<void(bool)> done)
{
    m_sdk.readPropertySize(kPropFocusInfo, 0, whileConnecting([this, done](Error error, std::uint32_t) {
        if (error != kOk) {
            done(false);
            return;
        }
        m_sdk.readPropertyData(kPropFocusInfo, 0, whileConnecting([this, done](Error read, const QByteArray& info) {
            if (read != kOk || info.size() < kFocusInfoSize) {
                done(false);
                return;
            }
            const auto width = qFromLittleEndian<std::uint32_t>(info.constData() + kFocusInfoWidthOffset);
            const auto height = qFromLittleEndian<std::uint32_t>(info.constData() + kFocusInfoHeightOffset);
            if (width < 500) {
                done(false);
                return;
            }
            m_width = width;
            m_height = height;
            done(true);
        }));
    }));
}

void CanonControl::chooseModel(std::function<void(bool)> done)
{
    m_width = 3888;
    m_height = 2592;
    m_is7D = m_is60D = m_isT1i = false;
    // A camera that tells its own image size counts as supported.
    readFocusInfoSize([this, done](bool sized) { done(takeModel(sized)); });
}

bool CanonControl::takeModel(bool sized)
{
    CanonTables::Family family = CanonTables::Family::None;
    bool supported = sized;
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

void CanonControl::writeShutterSpeedOnConnect(Next next)
{
    if (m_is60D && !m_is7D) {
        set60DExposure("EdsSetPropertyData Connect (60D) kEdsPropID_Tv error: 0x%04X.", next);
        return;
    }
    const auto writeTv = [this, next] {
        m_sdk.writeUInt32(kPropTv, 0, m_expCode, whileConnecting([this, next](Error error) {
            if (error != kOk && m_is7D) {
                logError("EdsSetPropertyData Connect (7D) kEdsPropID_Tv error: 0x%04X.", error);
                AlertPanel::runAlert(kExposureErrorTitle, kExposureErrorMessage);
            } else if (error != kOk) {
                logError("EdsSetPropertyData Connect kEdsPropID_Tv error: 0x%04X.", error);
            }
            next();
        }));
    };
    const std::uint32_t wanted = m_isCanonBulb ? kAEBulb : kAEManual;
    if (!m_is7D || m_canonAEData == wanted) {
        writeTv();
        return;
    }
    m_canonAEData = wanted;
    m_sdk.writeUInt32(kPropAEMode, 0, m_canonAEData, whileConnecting([this, writeTv](Error error) {
        if (error != kOk) {
            logError("EdsSetPropertyData (is7D) kEdsPropID_AEMode error: 0x%04X.", error);
            AlertPanel::runAlert(kExposureErrorTitle, kExposureErrorMessage);
        }
        writeTv();
    }));
}

void CanonControl::checkMirrorLockup(Next next)
{
    m_sdk.readUInt32(kPropCustomFunction, kParamMirrorLockup, whileConnecting([this, next](Error error, std::uint32_t lockup) {
        if (error != kOk)
            logError("EdsGetPropertyData MirrorLockup error: 0x%04X.", error);
        if (error != kOk || lockup != 1) {
            next();
            return;
        }
        m_sdk.writeUInt32(kPropCustomFunction, kParamMirrorLockup, 0, whileConnecting([this, next](Error written) {
            if (written == kOk) {
                next();
                return;
            }
            AlertPanel::runAlert(kMirrorLockupTitle, QStringLiteral("Mirror lockup must be disabled before connection."));
            logError("EdsSetPropertyData MirrorLockup error: 0x%04X.", written);
            failConnection({}, true);
            endConnection(false, {});
        }));
    }));
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
    endConnection(false, QStringLiteral("The camera's events could not be followed."));
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
    emit showPanelRequested();
    if (!supported)
        AlertPanel::runAlert(QStringLiteral("Unknown Camera"), QStringLiteral("This camera may not be supported."));
    endConnection(true, {});
}
