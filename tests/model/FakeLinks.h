#pragma once

#include "model/settings/PrefControl.h"
#include "model/settings/PrefLinks.h"
#include "model/settings/links/AllSkyDateStamp.h"
#include "model/settings/links/CanonCamera.h"
#include "model/settings/links/ChartRefresh.h"
#include "model/settings/links/CompanionServer.h"
#include "model/settings/links/DDWDevice.h"
#include "model/settings/links/DDWSetupPanel.h"
#include "model/settings/links/DomeDevice.h"
#include "model/settings/links/DomeSetupPanel.h"
#include "model/settings/links/FCUSBFocuser.h"
#include "model/settings/links/JMIFocuser.h"
#include "model/settings/links/MoonLiteFocuser.h"
#include "model/settings/links/MountDevice.h"
#include "model/settings/links/OptecFocuser.h"
#include "model/settings/links/PhotoHorizonAdjustments.h"
#include "model/settings/links/RealTimeClock.h"
#include "model/settings/links/RoboFocuser.h"
#include "model/settings/links/SG4Device.h"
#include "model/settings/links/ViewSliders.h"
#include "model/settings/links/WifiBridge.h"
#include "platform/DisplayGamma.h"

#include <QStringList>

// Recording stand-ins for the objects of other subsystems. Every call is
// appended to one shared log as "object.call args", so tests can check the
// order of calls across objects. The controllers that store their group
// again from their setters do so here too, as the real ones do.
struct CallLog {
    QStringList calls;
    void add(const QString& call) { calls.append(call); }
    template <class... Args>
    void add(const char* object, const char* call, const Args&... args)
    {
        QStringList parts;
        (parts.append(QVariant::fromValue(args).toString()), ...);
        calls.append(QStringLiteral("%1.%2 %3").arg(object, call, parts.join(u' ')).trimmed());
    }
};

// The log a fake writes to, and for those that store back, the settings object.
struct Logged {
    explicit Logged(CallLog& log, PrefControl** prefs = nullptr) : log(log), prefs(prefs) {}
    CallLog& log;
    PrefControl** prefs;
};

struct FakeGamma final : DisplayGamma, Logged {
    using Logged::Logged;
    quint32 id = 7;
    GammaFormula formula = {0.0f, 1.0f, 1.8f, 0.0f, 1.0f, 1.8f, 0.0f, 1.0f, 1.8f};
    quint32 displayID() const override { return id; }
    GammaFormula defaultFormula() const override { return formula; }
    bool setFormula(const GammaFormula&) override { log.add("gamma", "setFormula"); return true; }
    bool restoreDefault() override { log.add("gamma", "restoreDefault"); return true; }
};

struct FakeChart final : ChartRefresh, Logged {
    using Logged::Logged;
    void updateSkyAndColor() override { log.add("chart", "updateSkyAndColor"); }
};

struct FakeClock final : RealTimeClock, Logged {
    using Logged::Logged;
    void setRunRealTime() override { log.add("clock", "setRunRealTime"); }
};

struct FakeCompanion final : CompanionServer, Logged {
    using Logged::Logged;
    void createManager() override { log.add("companion", "createManager"); }
    void releaseManager() override { log.add("companion", "releaseManager"); }
};

struct FakeCanon final : CanonCamera, Logged {
    using Logged::Logged;
    bool connected = false;
    bool isCanonConnected() const override { log.add("canon", "isCanonConnected"); return connected; }
    void canonDisconnect() override { log.add("canon", "canonDisconnect"); }
};

struct FakeSliders final : ViewSliders, Logged {
    using Logged::Logged;
    void setArrowSpeedSlider(float v) override { log.add("sliders", "arrowSpeed", v); }
    void setAltitudeSlider(double v) override { log.add("sliders", "altitude", v); }
    void setAzimuthSlider(double v) override { log.add("sliders", "azimuth", v); }
    void setViewAngleSlider(double v) override { log.add("sliders", "viewAngle", v); }
};

// Stores the Gemini rate of the tag back, as the real controller does.
struct FakeMount final : MountDevice, Logged {
    using Logged::Logged;
    bool connected = false;
    void setTimerRate(float s) override { log.add("mount", "setTimerRate", s); }
    void setGeminiBaud(int tag) override
    {
        log.add("mount", "setGeminiBaud", tag);
        static const QMap<int, int> rates = {{42, 4800}, {43, 9600}, {44, 19200}, {45, 38400}, {47, 28800}};
        (*prefs)->setGeminiBaudPref(rates.value(tag, 9600));
    }
    bool isConnected() const override { log.add("mount", "isConnected"); return connected; }
    void disconnect() override { log.add("mount", "disconnect"); }
};

struct FakePhotoHorizon final : PhotoHorizonAdjustments, Logged {
    using Logged::Logged;
    std::array<float, 5> dir{}, elev{}, bright{};
    std::array<quint16, 5> degree{};
    void setPhotoDirAdj(quint16 i, float v) override { log.add("photo", "dir", i, v); dir[i] = v; }
    void setPhotoElevAdj(quint16 i, float v) override { log.add("photo", "elev", i, v); elev[i] = v; }
    void setPhotoBrightAdj(quint16 i, float v) override { log.add("photo", "bright", i, v); bright[i] = v; }
    void setPhotoDegreeAdj(quint16 i, quint16 v) override { log.add("photo", "degree", i, v); degree[i] = v; }
    std::array<float, 5> photoDirAdjArray() const override { return dir; }
    std::array<float, 5> photoElevAdjArray() const override { return elev; }
    std::array<float, 5> photoBrightAdjArray() const override { return bright; }
    std::array<quint16, 5> photoDegreeAdjArray() const override { return degree; }
    void setTextureID(quint32 id, int slot) override { log.add("photo", "setTextureID", id, slot); }
};

struct FakeDateStamp final : AllSkyDateStamp, Logged {
    using Logged::Logged;
    void setDateColor(const QColor& c) override { log.add("stamp", "setDateColor", c.name(QColor::HexArgb)); }
    void setDateFont(const QFont& f) override { log.add("stamp", "setDateFont", f.family(), f.pointSizeF()); }
    void setDateFPS(float fps) override { log.add("stamp", "setDateFPS", fps); }
    void setDateMovieDict(int codec, quint32 quality) override { log.add("stamp", "setDateMovieDict", codec, quality); }
    void setDatePosn(int p, bool utc, bool sec) override { log.add("stamp", "setDatePosn", p, utc, sec); }
};

struct FakeWifi final : WifiBridge, Logged {
    using Logged::Logged;
    QString address, port;
    void setWifiIPAddress(const QString& a) override { log.add("wifi", "setWifiIPAddress", a); address = a; }
    void setWifiPortNumber(const QString& p) override { log.add("wifi", "setWifiPortNumber", p); port = p; }
    QString wifiIPAddress() const override { return address; }
    QString wifiPortNumber() const override { return port; }
};

struct FakeSG4 final : SG4Device, Logged {
    using Logged::Logged;
    bool sg4Connected = false, allSkyConnected = false;
    void setSG4Baud(int b) override { log.add("sg4", "setSG4Baud", b); }
    void setExpSchedule(float s) override { log.add("sg4", "setExpSchedule", s); }
    void setDarkSchedule(float s) override { log.add("sg4", "setDarkSchedule", s); }
    void setHeatOnSchedule(float s) override { log.add("sg4", "setHeatOnSchedule", s); }
    void setHeatOffSchedule(float s) override { log.add("sg4", "setHeatOffSchedule", s); }
    bool isSG4Connect() const override { log.add("sg4", "isSG4Connect"); return sg4Connected; }
    bool isAllSkyConnect() const override { log.add("sg4", "isAllSkyConnect"); return allSkyConnected; }
    bool sg4Disconnect() override { log.add("sg4", "sg4Disconnect"); return true; }
};

struct FakeOptec final : OptecFocuser, Logged {
    using Logged::Logged;
    std::array<quint16, 4> speeds{};
    void setOptecSpeed(int slot, quint16 s) override
    {
        log.add("optec", "setOptecSpeed", slot, s);
        speeds[std::size_t(slot)] = s;
    }
    quint16 getOptecSpeed(int slot) const override { return speeds[std::size_t(slot)]; }
};

struct FakeRobo final : RoboFocuser, Logged {
    using Logged::Logged;
    float slope = 0.0f;
    void setRoboSlope(float s) override { log.add("robo", "setRoboSlope", s); slope = s; }
    float roboSlope() const override { return slope; }
};

// Refuses a backlash above a quarter of the maximum, and stores the whole
// group after an accepted amount or flag, as the real controller does.
struct FakeJMI final : JMIFocuser, Logged {
    using Logged::Logged;
    quint16 maximum = 65535, backlash = 0;
    bool isBacklash = false;
    float slow = 1.0f, fast = 1.0f, io = 1.0f;
    void setSlowAdj(float v) override { log.add("jmi", "setSlowAdj", v); slow = v; }
    void setFastAdj(float v) override { log.add("jmi", "setFastAdj", v); fast = v; }
    void setIOAdj(float v) override { log.add("jmi", "setIOAdj", v); io = v; }
    void setJMIMaxValue(quint16 v) override { log.add("jmi", "setJMIMaxValue", v); maximum = v; }
    void setJMIBacklash(quint16 v) override
    {
        log.add("jmi", "setJMIBacklash", v);
        if (v > maximum / 4) {
            log.add("jmi.beep");
            return;
        }
        backlash = v;
        (*prefs)->saveJMIPrefs();
    }
    void setIsJMIBacklash(bool on) override
    {
        log.add("jmi", "setIsJMIBacklash", on);
        isBacklash = on;
        (*prefs)->saveJMIPrefs();
    }
    quint16 jmiMaxValue() const override { return maximum; }
    quint16 jmiBacklash() const override { return backlash; }
    bool isJMIBacklash() const override { return isBacklash; }
    float jmiSlowAdj() const override { return slow; }
    float jmiFastAdj() const override { return fast; }
    float jmiIOAdj() const override { return io; }
};

struct FakeMoonLite final : MoonLiteFocuser, Logged {
    using Logged::Logged;
    float slope = 0.0f;
    quint16 maximum = 65535;
    void moonSetSlope(float s) override { log.add("moon", "moonSetSlope", s); slope = s; }
    void moonSetMax(quint16 m) override
    {
        log.add("moon", "moonSetMax", m);
        maximum = m;
        (*prefs)->saveMoonPrefs();
    }
    float moonSlope() const override { return slope; }
    quint16 moonMaxPosn() const override { return maximum; }
};

struct FakeFCUSB final : FCUSBFocuser, Logged {
    using Logged::Logged;
    quint8 speed = 0, speed2 = 0;
    quint16 pwm = 0, pwm2 = 0;
    void setFCUSBSpeed(quint8 v) override { log.add("fcusb", "setFCUSBSpeed", int(v)); speed = v; }
    void setFCUSB2Speed(quint8 v) override { log.add("fcusb", "setFCUSB2Speed", int(v)); speed2 = v; }
    void setFCUSBPWM(quint16 v) override { log.add("fcusb", "setFCUSBPWM", v); pwm = v; }
    void setFCUSB2PWM(quint16 v) override { log.add("fcusb", "setFCUSB2PWM", v); pwm2 = v; }
    quint8 fcusbSpeed() const override { return speed; }
    quint8 fcusbSpeed2() const override { return speed2; }
    quint16 fcusbPWM() const override { return pwm; }
    quint16 fcusbPWM2() const override { return pwm2; }
};

struct FakeDome final : DomeDevice, Logged {
    using Logged::Logged;
    std::array<double, 6> geometry{};  // x, y, z, R, r, flip
    float home = 0, delta = 0, frequency = 0;
    quint32 ticks = 0;
    qint16 overshoot = 0;
    quint16 baud = 0;
    bool boardSetup = false, connected = false;
    std::array<bool, 4> outputs{};
    void setDomeSetup(double x, double y, double z, double r1, double r2, double f, float h, float d,
                      float fr) override
    {
        log.add("dome", "setDomeSetup", x, y, z, r1, r2, f, h, d, fr);
        geometry = {x, y, z, r1, r2, f}, home = h, delta = d, frequency = fr;
    }
    void setDomeTicks(quint32 t, qint16 o) override { log.add("dome", "setDomeTicks", t, o); ticks = t, overshoot = o; }
    void setBaudRate(quint16 b) override { log.add("dome", "setBaudRate", b); baud = b; }
    void setIsBoardSetup(bool v) override { log.add("dome", "setIsBoardSetup", v); boardSetup = v; }
    void setIsDomeShutter(bool v) override { log.add("dome", "setIsDomeShutter", v); }
    void setIsDomeBiDirection(bool v) override { log.add("dome", "setIsDomeBiDirection", v); }
    void setDomeI5V1(bool v) override { log.add("dome", "setDomeI5V1", v); outputs[0] = v; }
    void setDomeI5V2(bool v) override { log.add("dome", "setDomeI5V2", v); outputs[1] = v; }
    void setDomeI5V3(bool v) override { log.add("dome", "setDomeI5V3", v); outputs[2] = v; }
    void setDomeI5V4(bool v) override { log.add("dome", "setDomeI5V4", v); outputs[3] = v; }
    double domeX() const override { return geometry[0]; }
    double domeY() const override { return geometry[1]; }
    double domeZ() const override { return geometry[2]; }
    double domeR() const override { return geometry[3]; }
    double domer() const override { return geometry[4]; }
    double domef() const override { return geometry[5]; }
    float domeHomeAzimuth() const override { return home; }
    float domeDelta() const override { return delta; }
    float domeFrequency() const override { return frequency; }
    quint32 domeMaxTicks() const override { return ticks; }
    qint16 domeOvershoot() const override { return overshoot; }
    quint16 baudRate() const override { return baud; }
    bool isBoardSetup() const override { return boardSetup; }
    bool domeI5V1() const override { return outputs[0]; }
    bool domeI5V2() const override { return outputs[1]; }
    bool domeI5V3() const override { return outputs[2]; }
    bool domeI5V4() const override { return outputs[3]; }
    bool isDomeConnect() const override { log.add("dome", "isDomeConnect"); return connected; }
    bool domeDisconnect() override { log.add("dome", "domeDisconnect"); return true; }
};

struct FakeDomePanel final : DomeSetupPanel, Logged {
    using Logged::Logged;
    bool gem = false, visible = false;
    void setDomeSetupText() override { log.add("domePanel", "setDomeSetupText"); }
    void setDomeCalText() override { log.add("domePanel", "setDomeCalText"); }
    void setIsGEM(bool v) override { log.add("domePanel", "setIsGEM", v); gem = v; }
    bool isGEM() const override { return gem; }
    bool isVisible() const override { return visible; }
};

struct FakeDDW final : DDWDevice, Logged {
    using Logged::Logged;
    std::array<double, 6> geometry{};  // x, y, z, R, r, flip
    float delta = 0, frequency = 0;
    bool connected = false;
    void setDDWSetup(double x, double y, double z, double r1, double r2, double f, float d, float fr) override
    {
        log.add("ddw", "setDDWSetup", x, y, z, r1, r2, f, d, fr);
        geometry = {x, y, z, r1, r2, f}, delta = d, frequency = fr;
    }
    double ddwX() const override { return geometry[0]; }
    double ddwY() const override { return geometry[1]; }
    double ddwZ() const override { return geometry[2]; }
    double ddwR() const override { return geometry[3]; }
    double ddwr() const override { return geometry[4]; }
    double ddwF() const override { return geometry[5]; }
    float ddwDelta() const override { return delta; }
    float ddwFrequency() const override { return frequency; }
    bool isDDWConnect() const override { log.add("ddw", "isDDWConnect"); return connected; }
    bool ddwDisconnect() override { log.add("ddw", "ddwDisconnect"); return true; }
};

struct FakeDDWPanel final : DDWSetupPanel, Logged {
    using Logged::Logged;
    bool gem = false, visible = false;
    void setIsGEM(bool v) override { log.add("ddwPanel", "setIsGEM", v); gem = v; }
    void setDDWSetupText() override { log.add("ddwPanel", "setDDWSetupText"); }
    bool isGEM() const override { return gem; }
    bool isVisible() const override { return visible; }
};

// Every fake, wired to one log and to the settings object under test.
struct FakeLinks {
    CallLog log;
    PrefControl* prefs = nullptr;
    FakeGamma gamma{log};
    FakeChart chart{log};
    FakeSliders sliders{log};
    FakeClock clock{log};
    FakeCompanion companion{log};
    FakeCanon canon{log};
    FakeMount mount{log, &prefs};
    FakePhotoHorizon photo{log};
    FakeDateStamp stamp{log};
    FakeWifi wifi{log};
    FakeSG4 sg4{log};
    FakeOptec optec{log};
    FakeRobo robo{log};
    FakeJMI jmi{log, &prefs};
    FakeMoonLite moon{log, &prefs};
    FakeFCUSB fcusb{log};
    FakeDome dome{log};
    FakeDomePanel domePanel{log};
    FakeDDW ddw{log};
    FakeDDWPanel ddwPanel{log};

    PrefLinks links()
    {
        return {&chart, &sliders, &clock, &companion, &mount, &photo, &stamp, &wifi, &sg4, &canon,
                &optec, &robo, &jmi, &moon, &fcusb, &dome, &domePanel, &ddw, &ddwPanel};
    }
};
