#include "model/prefs/PrefControl.h"

#include "model/prefs/links/AllSkyDateStamp.h"
#include "model/prefs/links/DDWDevice.h"
#include "model/prefs/links/DDWSetupPanel.h"
#include "model/prefs/links/DomeDevice.h"
#include "model/prefs/links/DomeSetupPanel.h"
#include "model/prefs/links/FCUSBFocuser.h"
#include "model/prefs/links/JMIFocuser.h"
#include "model/prefs/links/MoonLiteFocuser.h"
#include "model/prefs/links/MountDevice.h"
#include "model/prefs/links/OptecFocuser.h"
#include "model/prefs/links/RoboFocuser.h"
#include "model/prefs/links/SG4Device.h"
#include "model/prefs/links/WifiBridge.h"

#include <algorithm>
#include <limits>

namespace {

// The Optec window's speed slots 0 to 3.
const char* const kOptecSpeedKeys[4] = {"OptecFineSpeedPref", "OptecSlowSpeedPref",
                                        "OptecMedSpeedPref", "OptecFastSpeedPref"};

}  // namespace

void PrefControl::handMountSettings()
{
    if (MountDevice* mount = m_links.mount) {
        mount->setTimerRate(m_store.readFloat("ScopePollRatePref"));
        mount->setGeminiBaud(geminiBaudTag(m_store.readInteger("GeminiBaudPref")));
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
        robo->setRoboSlope(m_store.readFloat("RoboTempSlopePref"));
    if (JMIFocuser* jmi = m_links.jmi) {
        // All six first: the setters below store the whole group again.
        const quint16 maximum = readUInt16("JMIMaxValuePref");
        const quint16 backlash = readUInt16("JMIBacklashValuePref");
        const bool isBacklash = m_store.readBool("JMIBacklashPref");
        const float slow = m_store.readFloat("JMISlowAdjPref");
        const float fast = m_store.readFloat("JMIFastAdjPref");
        const float io = m_store.readFloat("JMIIOAdjPref");
        jmi->setSlowAdj(slow);
        jmi->setFastAdj(fast);
        jmi->setIOAdj(io);
        jmi->setJMIMaxValue(maximum);
        jmi->setJMIBacklash(backlash);
        jmi->setIsJMIBacklash(isBacklash);
    }
    if (MoonLiteFocuser* moon = m_links.moonLite) {
        const quint16 maximum = readUInt16("MoonMaxPref");
        moon->moonSetSlope(m_store.readFloat("MoonSlopePref"));
        moon->moonSetMax(maximum);
    }
    if (FCUSBFocuser* fcusb = m_links.fcusb) {
        // The speeds are 8-bit on the device: a larger stored value means full speed.
        fcusb->setFCUSBSpeed(quint8(std::min<quint16>(readUInt16("FCUSBSpeedPref"), 255)));
        fcusb->setFCUSB2Speed(quint8(std::min<quint16>(readUInt16("FCUSB2SpeedPref"), 255)));
        fcusb->setFCUSBPWM(readUInt16("FCUSBPWMPref"));
        fcusb->setFCUSB2PWM(readUInt16("FCUSB2PWMPref"));
    }
}

void PrefControl::handSG4Settings()
{
    if (SG4Device* sg4 = m_links.sg4) {
        sg4->setSG4Baud(readInt("SG4BaudPref"));
        sg4->setExpSchedule(m_store.readFloat("AllSkyExpShedulePref"));
        sg4->setDarkSchedule(m_store.readFloat("AllSkyDarkShedulePref"));
        sg4->setHeatOnSchedule(m_store.readFloat("AllSkyHeatOnPref"));
        sg4->setHeatOffSchedule(m_store.readFloat("AllSkyHeatOffPref"));
    }
}

void PrefControl::handDomeSettings()
{
    const double x = m_store.readDouble("DomeXPref");
    const double y = m_store.readDouble("DomeYPref");
    const double z = m_store.readDouble("DomeZPref");
    const double bigR = m_store.readDouble("DomeRPref");
    const double smallR = m_store.readDouble("DomerPref");
    const double flip = m_store.readDouble("DomeFlipPref");
    const double home = m_store.readDouble("DomeHomePref");
    const float delta = m_store.readFloat("DomeDeltaPref");
    const float frequency = m_store.readFloat("DomeFreqPref");
    const quint16 baud = readUInt16("DomeBaudPref");
    const auto ticks = quint32(std::clamp<qint64>(m_store.readInteger("DomeTicksPref"), 0,
                                                  std::numeric_limits<quint32>::max()));
    const auto overshoot = qint16(std::clamp<qint64>(m_store.readInteger("DomeOverPref"),
                                                     std::numeric_limits<qint16>::min(),
                                                     std::numeric_limits<qint16>::max()));
    const bool isGEM = m_store.readBool("DomeGEMPref");
    const bool isSetup = m_store.readBool("DomeSetupPref");
    const bool hasShutter = m_store.readBool("DomeShutterPref");
    const bool turnsBothWays = m_store.readBool("DomeDirectionPref");
    const bool outputs[4] = {m_store.readBool("DomeI5V1Pref"), m_store.readBool("DomeI5V2Pref"),
                             m_store.readBool("DomeI5V3Pref"), m_store.readBool("DomeI5V4Pref")};

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
        stamp->setDateFPS(m_store.readFloat("AllSkyFPSDatePref"));
        stamp->setDateMovieDict(readInt("AllSkyCodecDatePref"),
                                quint32(std::clamp<qint64>(m_store.readInteger("AllSkyQualityDatePref"), 0,
                                                           std::numeric_limits<quint32>::max())));
        stamp->setDatePosn(readInt("AllSkyPosnDatePref"), m_store.readBool("AllSkyUTCDatePref"),
                           m_store.readBool("AllSkySecDatePref"));
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
    m_store.writeFloat("RoboTempSlopePref", m_links.robo->roboSlope());
}

void PrefControl::saveJMIPrefs()
{
    const JMIFocuser* jmi = m_links.jmi;
    if (isSavingSuppressed() || jmi == nullptr)
        return;
    m_store.writeInteger("JMIMaxValuePref", jmi->jmiMaxValue());
    m_store.writeInteger("JMIBacklashValuePref", jmi->jmiBacklash());
    m_store.writeBool("JMIBacklashPref", jmi->isJMIBacklash());
    m_store.writeFloat("JMISlowAdjPref", jmi->jmiSlowAdj());
    m_store.writeFloat("JMIFastAdjPref", jmi->jmiFastAdj());
    m_store.writeFloat("JMIIOAdjPref", jmi->jmiIOAdj());
}

void PrefControl::saveMoonPrefs()
{
    const MoonLiteFocuser* moon = m_links.moonLite;
    if (isSavingSuppressed() || moon == nullptr)
        return;
    m_store.writeInteger("MoonMaxPref", moon->moonMaxPosn());
    m_store.writeFloat("MoonSlopePref", moon->moonSlope());
}

void PrefControl::saveFCUSBPrefs()
{
    const FCUSBFocuser* fcusb = m_links.fcusb;
    if (isSavingSuppressed() || fcusb == nullptr)
        return;
    m_store.writeInteger("FCUSBSpeedPref", fcusb->fcusbSpeed());
    m_store.writeInteger("FCUSB2SpeedPref", fcusb->fcusbSpeed2());
    m_store.writeInteger("FCUSBPWMPref", fcusb->fcusbPWM());
    m_store.writeInteger("FCUSB2PWMPref", fcusb->fcusbPWM2());
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
        m_store.writeDouble("DomeXPref", dome->domeX());
        m_store.writeDouble("DomeYPref", dome->domeY());
        m_store.writeDouble("DomeZPref", dome->domeZ());
        m_store.writeDouble("DomeRPref", dome->domeR());
        m_store.writeDouble("DomerPref", dome->domer());
        m_store.writeDouble("DomeFlipPref", dome->domef());
        m_store.writeFloat("DomeHomePref", dome->domeHomeAzimuth());
        m_store.writeFloat("DomeDeltaPref", dome->domeDelta());
        m_store.writeFloat("DomeFreqPref", dome->domeFrequency());
        m_store.writeBool("DomeGEMPref", domePanel->isGEM());
        m_store.writeBool("DomeI5V1Pref", dome->domeI5V1());
        m_store.writeBool("DomeI5V2Pref", dome->domeI5V2());
        m_store.writeBool("DomeI5V3Pref", dome->domeI5V3());
        m_store.writeBool("DomeI5V4Pref", dome->domeI5V4());
    } else if (ddw != nullptr && ddwPanel != nullptr && ddwPanel->isVisible()) {
        m_store.writeDouble("DomeXPref", ddw->ddwX());
        m_store.writeDouble("DomeYPref", ddw->ddwY());
        m_store.writeDouble("DomeZPref", ddw->ddwZ());
        m_store.writeDouble("DomeRPref", ddw->ddwR());
        m_store.writeDouble("DomerPref", ddw->ddwr());
        m_store.writeDouble("DomeFlipPref", ddw->ddwF());
        m_store.writeFloat("DomeDeltaPref", ddw->ddwDelta());
        m_store.writeFloat("DomeFreqPref", ddw->ddwFrequency());
        m_store.writeBool("DomeGEMPref", ddwPanel->isGEM());
    }
}

void PrefControl::saveBoardPrefs()
{
    if (isSavingSuppressed() || m_links.dome == nullptr)
        return;
    m_store.writeBool("DomeSetupPref", m_links.dome->isBoardSetup());
    m_store.writeInteger("DomeBaudPref", m_links.dome->baudRate());
}

void PrefControl::saveTicksPrefs()
{
    if (isSavingSuppressed() || m_links.dome == nullptr)
        return;
    m_store.writeInteger("DomeTicksPref", m_links.dome->domeMaxTicks());
    m_store.writeInteger("DomeOverPref", m_links.dome->domeOvershoot());
}

void PrefControl::saveWifiPrefs()
{
    if (isSavingSuppressed() || m_links.wifiBridge == nullptr)
        return;
    m_store.writeString("WiFiIPPref", m_links.wifiBridge->wifiIPAddress());
    m_store.writeString("WiFiPortPref", m_links.wifiBridge->wifiPortNumber());
}

void PrefControl::setGeminiBaudPref(int baud)
{
    if (!isSavingSuppressed())
        m_store.writeInteger("GeminiBaudPref", baud);
}

void PrefControl::setSG4BaudPref(long baud)
{
    if (!isSavingSuppressed())
        m_store.writeInteger("SG4BaudPref", baud);
}

void PrefControl::setExpSchedulePref(float seconds)
{
    if (!isSavingSuppressed())
        m_store.writeFloat("AllSkyExpShedulePref", seconds);
}

void PrefControl::setDarkSchedulePref(float seconds)
{
    if (!isSavingSuppressed())
        m_store.writeFloat("AllSkyDarkShedulePref", seconds);
}

void PrefControl::setHeatOnSchedulePref(float seconds)
{
    if (!isSavingSuppressed())
        m_store.writeFloat("AllSkyHeatOnPref", seconds);
}

void PrefControl::setHeatOffSchedulePref(float seconds)
{
    if (!isSavingSuppressed())
        m_store.writeFloat("AllSkyHeatOffPref", seconds);
}
