#include "model/settings/PrefControl.h"

#include "model/settings/PrefKeys.h"
#include "model/settings/links/AllSkyDateStamp.h"
#include "model/settings/links/DDWDevice.h"
#include "model/settings/links/DDWSetupPanel.h"
#include "model/settings/links/DomeDevice.h"
#include "model/settings/links/DomeSetupPanel.h"
#include "model/settings/links/FCUSBFocuser.h"
#include "model/settings/links/JMIFocuser.h"
#include "model/settings/links/MoonLiteFocuser.h"
#include "model/settings/links/MountDevice.h"
#include "model/settings/links/OptecFocuser.h"
#include "model/settings/links/RoboFocuser.h"
#include "model/settings/links/SG4Device.h"
#include "model/settings/links/WifiBridge.h"

#include <algorithm>
#include <limits>

namespace {

// The Optec window's speed slots 0 to 3.
const char* const kOptecSpeedKeys[4] = {PrefKeys::OptecFineSpeed, PrefKeys::OptecSlowSpeed,
                                        PrefKeys::OptecMedSpeed, PrefKeys::OptecFastSpeed};

}  // namespace

void PrefControl::handMountSettings()
{
    if (MountDevice* mount = m_links.mount) {
        mount->setTimerRate(m_store.readFloat(PrefKeys::ScopePollRate));
        mount->setGeminiBaud(geminiBaudTag(m_store.readInteger(PrefKeys::GeminiBaud)));
    }
}

void PrefControl::setScopePollRatePref(float seconds)
{
    if (!isSavingSuppressed())
        m_store.writeFloat("ScopePollRatePref", seconds);
}

void PrefControl::handFocuserSettings()
{
    if (OptecFocuser* optec = m_links.optec) {
        for (int slot = 0; slot < 4; ++slot)
            optec->setOptecSpeed(slot, readUInt16(kOptecSpeedKeys[slot]));
    }
    if (RoboFocuser* robo = m_links.robo)
        robo->setRoboSlope(m_store.readFloat(PrefKeys::RoboTempSlope));
    if (JMIFocuser* jmi = m_links.jmi) {
        // All six first: the setters below store the whole group again.
        const quint16 maximum = readUInt16(PrefKeys::JMIMaxValue);
        const quint16 backlash = readUInt16(PrefKeys::JMIBacklashValue);
        const bool isBacklash = m_store.readBool(PrefKeys::JMIBacklash);
        const float slow = m_store.readFloat(PrefKeys::JMISlowAdj);
        const float fast = m_store.readFloat(PrefKeys::JMIFastAdj);
        const float io = m_store.readFloat(PrefKeys::JMIIOAdj);
        jmi->setSlowAdj(slow);
        jmi->setFastAdj(fast);
        jmi->setIOAdj(io);
        jmi->setJMIMaxValue(maximum);
        jmi->setJMIBacklash(backlash);
        jmi->setIsJMIBacklash(isBacklash);
    }
    if (MoonLiteFocuser* moon = m_links.moonLite) {
        const quint16 maximum = readUInt16(PrefKeys::MoonMax);
        moon->moonSetSlope(m_store.readFloat(PrefKeys::MoonSlope));
        moon->moonSetMax(maximum);
    }
    if (FCUSBFocuser* fcusb = m_links.fcusb) {
        // The speeds are 8-bit on the device: a larger stored value means full speed.
        fcusb->setFCUSBSpeed(quint8(std::min<quint16>(readUInt16(PrefKeys::FCUSBSpeed), 255)));
        fcusb->setFCUSB2Speed(quint8(std::min<quint16>(readUInt16(PrefKeys::FCUSB2Speed), 255)));
        fcusb->setFCUSBPWM(readUInt16(PrefKeys::FCUSBPWM));
        fcusb->setFCUSB2PWM(readUInt16(PrefKeys::FCUSB2PWM));
    }
}

void PrefControl::handSG4Settings()
{
    if (SG4Device* sg4 = m_links.sg4) {
        sg4->setSG4Baud(readInt(PrefKeys::SG4Baud));
        sg4->setExpSchedule(m_store.readFloat(PrefKeys::AllSkyExpShedule));
        sg4->setDarkSchedule(m_store.readFloat(PrefKeys::AllSkyDarkShedule));
        sg4->setHeatOnSchedule(m_store.readFloat(PrefKeys::AllSkyHeatOn));
        sg4->setHeatOffSchedule(m_store.readFloat(PrefKeys::AllSkyHeatOff));
    }
}

void PrefControl::handDomeSettings()
{
    const double x = m_store.readDouble(PrefKeys::DomeX);
    const double y = m_store.readDouble(PrefKeys::DomeY);
    const double z = m_store.readDouble(PrefKeys::DomeZ);
    const double bigR = m_store.readDouble(PrefKeys::DomeR);
    const double smallR = m_store.readDouble(PrefKeys::Domer);
    const double flip = m_store.readDouble(PrefKeys::DomeFlip);
    const double home = m_store.readDouble(PrefKeys::DomeHome);
    const float delta = m_store.readFloat(PrefKeys::DomeDelta);
    const float frequency = m_store.readFloat(PrefKeys::DomeFreq);
    const quint16 baud = readUInt16(PrefKeys::DomeBaud);
    const auto ticks = quint32(std::clamp<qint64>(m_store.readInteger(PrefKeys::DomeTicks), 0,
                                                  std::numeric_limits<quint32>::max()));
    const auto overshoot = qint16(std::clamp<qint64>(m_store.readInteger(PrefKeys::DomeOver),
                                                     std::numeric_limits<qint16>::min(),
                                                     std::numeric_limits<qint16>::max()));
    const bool isGEM = m_store.readBool(PrefKeys::DomeGEM);
    const bool isSetup = m_store.readBool(PrefKeys::DomeSetup);
    const bool hasShutter = m_store.readBool(PrefKeys::DomeShutter);
    const bool turnsBothWays = m_store.readBool(PrefKeys::DomeDirection);
    const bool outputs[4] = {m_store.readBool(PrefKeys::DomeI5V1), m_store.readBool(PrefKeys::DomeI5V2),
                             m_store.readBool(PrefKeys::DomeI5V3), m_store.readBool(PrefKeys::DomeI5V4)};

    if (DomeDevice* dome = m_links.dome) {
        dome->setDomeSetup(x, y, z, bigR, smallR, flip, float(home), delta, frequency);
        dome->setDomeTicks(ticks, overshoot);
        dome->setBaudRate(baud);
        dome->setIsBoardSetup(isSetup);
        dome->setIsDomeShutter(hasShutter);
        dome->setIsDomeBiDirection(turnsBothWays);
        dome->setDomeI5V1(outputs[0]);
        dome->setDomeI5V2(outputs[1]);
        dome->setDomeI5V3(outputs[2]);
        dome->setDomeI5V4(outputs[3]);
    }
    if (DomeSetupPanel* panel = m_links.domePanel) {
        panel->setDomeSetupText();
        panel->setDomeCalText();
        panel->setIsGEM(isGEM);
    }
    if (DDWDevice* ddw = m_links.ddw)
        ddw->setDDWSetup(x, y, z, bigR, smallR, flip, delta, frequency);
    if (DDWSetupPanel* panel = m_links.ddwPanel) {
        panel->setIsGEM(isGEM);
        panel->setDDWSetupText();
    }
}

void PrefControl::handAllSkyDateSettings()
{
    if (AllSkyDateStamp* stamp = m_links.allSkyDateStamp) {
        stamp->setDateFPS(m_store.readFloat(PrefKeys::AllSkyFPSDate));
        stamp->setDateMovieDict(readInt(PrefKeys::AllSkyCodecDate),
                                quint32(std::clamp<qint64>(m_store.readInteger(PrefKeys::AllSkyQualityDate), 0,
                                                           std::numeric_limits<quint32>::max())));
        stamp->setDatePosn(readInt(PrefKeys::AllSkyPosnDate), m_store.readBool(PrefKeys::AllSkyUTCDate),
                           m_store.readBool(PrefKeys::AllSkySecDate));
    }
}

void PrefControl::saveOptecPrefs()
{
    if (isSavingSuppressed() || m_links.optec == nullptr)
        return;
    for (int slot = 0; slot < 4; ++slot)
        m_store.writeInteger(kOptecSpeedKeys[slot], m_links.optec->getOptecSpeed(slot));
}

void PrefControl::saveRoboSlope()
{
    if (isSavingSuppressed() || m_links.robo == nullptr)
        return;
    m_store.writeFloat(PrefKeys::RoboTempSlope, m_links.robo->roboSlope());
}

void PrefControl::saveJMIPrefs()
{
    const JMIFocuser* jmi = m_links.jmi;
    if (isSavingSuppressed() || jmi == nullptr)
        return;
    m_store.writeInteger(PrefKeys::JMIMaxValue, jmi->jmiMaxValue());
    m_store.writeInteger(PrefKeys::JMIBacklashValue, jmi->jmiBacklash());
    m_store.writeBool(PrefKeys::JMIBacklash, jmi->isJMIBacklash());
    m_store.writeFloat(PrefKeys::JMISlowAdj, jmi->jmiSlowAdj());
    m_store.writeFloat(PrefKeys::JMIFastAdj, jmi->jmiFastAdj());
    m_store.writeFloat(PrefKeys::JMIIOAdj, jmi->jmiIOAdj());
}

void PrefControl::saveMoonPrefs()
{
    const MoonLiteFocuser* moon = m_links.moonLite;
    if (isSavingSuppressed() || moon == nullptr)
        return;
    m_store.writeInteger(PrefKeys::MoonMax, moon->moonMaxPosn());
    m_store.writeFloat(PrefKeys::MoonSlope, moon->moonSlope());
}

void PrefControl::saveFCUSBPrefs()
{
    const FCUSBFocuser* fcusb = m_links.fcusb;
    if (isSavingSuppressed() || fcusb == nullptr)
        return;
    m_store.writeInteger(PrefKeys::FCUSBSpeed, fcusb->fcusbSpeed());
    m_store.writeInteger(PrefKeys::FCUSB2Speed, fcusb->fcusbSpeed2());
    m_store.writeInteger(PrefKeys::FCUSBPWM, fcusb->fcusbPWM());
    m_store.writeInteger(PrefKeys::FCUSB2PWM, fcusb->fcusbPWM2());
}

void PrefControl::saveDomePrefs()
{
    if (isSavingSuppressed())
        return;
    const DomeDevice* dome = m_links.dome;
    const DomeSetupPanel* domePanel = m_links.domePanel;
    const DDWDevice* ddw = m_links.ddw;
    const DDWSetupPanel* ddwPanel = m_links.ddwPanel;
    if (dome != nullptr && domePanel != nullptr && domePanel->isVisible()) {
        m_store.writeDouble(PrefKeys::DomeX, dome->domeX());
        m_store.writeDouble(PrefKeys::DomeY, dome->domeY());
        m_store.writeDouble(PrefKeys::DomeZ, dome->domeZ());
        m_store.writeDouble(PrefKeys::DomeR, dome->domeR());
        m_store.writeDouble(PrefKeys::Domer, dome->domer());
        m_store.writeDouble(PrefKeys::DomeFlip, dome->domef());
        m_store.writeFloat(PrefKeys::DomeHome, dome->domeHomeAzimuth());
        m_store.writeFloat(PrefKeys::DomeDelta, dome->domeDelta());
        m_store.writeFloat(PrefKeys::DomeFreq, dome->domeFrequency());
        m_store.writeBool(PrefKeys::DomeGEM, domePanel->isGEM());
        m_store.writeBool(PrefKeys::DomeI5V1, dome->domeI5V1());
        m_store.writeBool(PrefKeys::DomeI5V2, dome->domeI5V2());
        m_store.writeBool(PrefKeys::DomeI5V3, dome->domeI5V3());
        m_store.writeBool(PrefKeys::DomeI5V4, dome->domeI5V4());
    } else if (ddw != nullptr && ddwPanel != nullptr && ddwPanel->isVisible()) {
        m_store.writeDouble(PrefKeys::DomeX, ddw->ddwX());
        m_store.writeDouble(PrefKeys::DomeY, ddw->ddwY());
        m_store.writeDouble(PrefKeys::DomeZ, ddw->ddwZ());
        m_store.writeDouble(PrefKeys::DomeR, ddw->ddwR());
        m_store.writeDouble(PrefKeys::Domer, ddw->ddwr());
        m_store.writeDouble(PrefKeys::DomeFlip, ddw->ddwF());
        m_store.writeFloat(PrefKeys::DomeDelta, ddw->ddwDelta());
        m_store.writeFloat(PrefKeys::DomeFreq, ddw->ddwFrequency());
        m_store.writeBool(PrefKeys::DomeGEM, ddwPanel->isGEM());
    }
}

void PrefControl::saveBoardPrefs()
{
    if (isSavingSuppressed() || m_links.dome == nullptr)
        return;
    m_store.writeBool(PrefKeys::DomeSetup, m_links.dome->isBoardSetup());
    m_store.writeInteger(PrefKeys::DomeBaud, m_links.dome->baudRate());
}

void PrefControl::saveTicksPrefs()
{
    if (isSavingSuppressed() || m_links.dome == nullptr)
        return;
    m_store.writeInteger(PrefKeys::DomeTicks, m_links.dome->domeMaxTicks());
    m_store.writeInteger(PrefKeys::DomeOver, m_links.dome->domeOvershoot());
}

void PrefControl::saveWifiPrefs()
{
    if (isSavingSuppressed() || m_links.wifiBridge == nullptr)
        return;
    m_store.writeString(PrefKeys::WiFiIP, m_links.wifiBridge->wifiIPAddress());
    m_store.writeString(PrefKeys::WiFiPort, m_links.wifiBridge->wifiPortNumber());
}

void PrefControl::setGeminiBaudPref(int baud)
{
    if (!isSavingSuppressed())
        m_store.writeInteger(PrefKeys::GeminiBaud, baud);
}

void PrefControl::setSG4BaudPref(long baud)
{
    if (!isSavingSuppressed())
        m_store.writeInteger(PrefKeys::SG4Baud, baud);
}

void PrefControl::setExpSchedulePref(float seconds)
{
    if (!isSavingSuppressed())
        m_store.writeFloat(PrefKeys::AllSkyExpShedule, seconds);
}

void PrefControl::setDarkSchedulePref(float seconds)
{
    if (!isSavingSuppressed())
        m_store.writeFloat(PrefKeys::AllSkyDarkShedule, seconds);
}

void PrefControl::setHeatOnSchedulePref(float seconds)
{
    if (!isSavingSuppressed())
        m_store.writeFloat(PrefKeys::AllSkyHeatOn, seconds);
}

void PrefControl::setHeatOffSchedulePref(float seconds)
{
    if (!isSavingSuppressed())
        m_store.writeFloat(PrefKeys::AllSkyHeatOff, seconds);
}
