#pragma once

#include "model/prefs/links/AllSkyDateStamp.h"
#include "model/prefs/links/CanonCamera.h"
#include "model/prefs/links/ChartRefresh.h"
#include "model/prefs/links/CompanionServer.h"
#include "model/prefs/links/DDWDevice.h"
#include "model/prefs/links/DDWSetupPanel.h"
#include "model/prefs/links/DomeDevice.h"
#include "model/prefs/links/DomeSetupPanel.h"
#include "model/prefs/links/FCUSBFocuser.h"
#include "model/prefs/links/JMIFocuser.h"
#include "model/prefs/links/MoonLiteFocuser.h"
#include "model/prefs/links/MountDevice.h"
#include "model/prefs/links/OptecFocuser.h"
#include "model/prefs/links/PhotoHorizonAdjustments.h"
#include "model/prefs/PrefControl.h"
#include "model/prefs/PrefLinks.h"
#include "model/prefs/links/RealTimeClock.h"
#include "model/prefs/links/RoboFocuser.h"
#include "model/prefs/links/SG4Device.h"
#include "model/prefs/links/ViewSliders.h"
#include "model/prefs/links/WifiBridge.h"
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

class FakeGamma final : public DisplayGamma {
public:
    explicit FakeGamma(CallLog& log) : m_log(log) {}
    quint32 id = 7;
    GammaFormula formula = {0.0f, 1.0f, 1.8f, 0.0f, 1.0f, 1.8f, 0.0f, 1.0f, 1.8f};
    quint32 displayID() const override { return id; }
    GammaFormula defaultFormula() const override { return formula; }
    bool setFormula(const GammaFormula&) override { m_log.add("gamma", "setFormula"); return true; }
    bool restoreDefault() override { m_log.add("gamma", "restoreDefault"); return true; }

private:
    CallLog& m_log;
};

class FakeChart final : public ChartRefresh {
public:
    explicit FakeChart(CallLog& log) : m_log(log) {}
    void updateSkyAndColor() override { m_log.add("chart", "updateSkyAndColor"); }

private:
    CallLog& m_log;
};

class FakeClock final : public RealTimeClock {
public:
    explicit FakeClock(CallLog& log) : m_log(log) {}
    void setRunRealTime() override { m_log.add("clock", "setRunRealTime"); }

private:
    CallLog& m_log;
};

class FakeCompanion final : public CompanionServer {
public:
    explicit FakeCompanion(CallLog& log) : m_log(log) {}
    void createManager() override { m_log.add("companion", "createManager"); }
    void releaseManager() override { m_log.add("companion", "releaseManager"); }

private:
    CallLog& m_log;
};

class FakeCanon final : public CanonCamera {
public:
    explicit FakeCanon(CallLog& log) : m_log(log) {}
    bool connected = false;
    bool isCanonConnected() const override { m_log.add("canon", "isCanonConnected"); return connected; }
    void canonDisconnect() override { m_log.add("canon", "canonDisconnect"); }

private:
    CallLog& m_log;
};

class FakeSliders final : public ViewSliders {
public:
    explicit FakeSliders(CallLog& log) : m_log(log) {}
    void setArrowSpeedSlider(float v) override { m_log.add("sliders", "arrowSpeed", v); }
    void setAltitudeSlider(double v) override { m_log.add("sliders", "altitude", v); }
    void setAzimuthSlider(double v) override { m_log.add("sliders", "azimuth", v); }
    void setViewAngleSlider(double v) override { m_log.add("sliders", "viewAngle", v); }

private:
    CallLog& m_log;
};

// A mount that stores the Gemini rate back, as the real controller does.
class FakeMount final : public MountDevice {
public:
    FakeMount(CallLog& log, PrefControl*& prefs) : m_log(log), m_prefs(prefs) {}
    bool connected = false;
    void setTimerRate(float s) override { m_log.add("mount", "setTimerRate", s); }
    void setGeminiBaud(int tag) override
    {
        m_log.add("mount", "setGeminiBaud", tag);
        static const QMap<int, int> rates = {{42, 4800}, {43, 9600}, {44, 19200}, {45, 38400}, {47, 28800}};
        m_prefs->setGeminiBaudPref(rates.value(tag, 9600));
    }
    bool isConnected() const override { m_log.add("mount", "isConnected"); return connected; }
    void disconnect() override { m_log.add("mount", "disconnect"); }

private:
    CallLog& m_log;
    PrefControl*& m_prefs;
};

class FakePhotoHorizon final : public PhotoHorizonAdjustments {
public:
    explicit FakePhotoHorizon(CallLog& log) : m_log(log) {}
    std::array<float, 5> dir{}, elev{}, bright{};
    std::array<quint16, 5> degree{};
    void setPhotoDirAdj(quint16 i, float v) override { m_log.add("photo", "dir", i, v); dir[i] = v; }
    void setPhotoElevAdj(quint16 i, float v) override { m_log.add("photo", "elev", i, v); elev[i] = v; }
    void setPhotoBrightAdj(quint16 i, float v) override { m_log.add("photo", "bright", i, v); bright[i] = v; }
    void setPhotoDegreeAdj(quint16 i, quint16 v) override { m_log.add("photo", "degree", i, v); degree[i] = v; }
    std::array<float, 5> photoDirAdjArray() const override { return dir; }
    std::array<float, 5> photoElevAdjArray() const override { return elev; }
    std::array<float, 5> photoBrightAdjArray() const override { return bright; }
    std::array<quint16, 5> photoDegreeAdjArray() const override { return degree; }
    void setTextureID(quint32 id, int slot) override { m_log.add("photo", "setTextureID", id, slot); }

private:
    CallLog& m_log;
};

class FakeDateStamp final : public AllSkyDateStamp {
public:
    explicit FakeDateStamp(CallLog& log) : m_log(log) {}
    QColor color;
    QFont font;
    void setDateColor(const QColor& c) override { m_log.add("stamp", "setDateColor", c.name(QColor::HexArgb)); color = c; }
    void setDateFont(const QFont& f) override { m_log.add("stamp", "setDateFont", f.family(), f.pointSizeF()); font = f; }
    void setDateFPS(float fps) override { m_log.add("stamp", "setDateFPS", fps); }
    void setDateMovieDict(int codec, quint32 quality) override { m_log.add("stamp", "setDateMovieDict", codec, quality); }
    void setDatePosn(int p, bool utc, bool sec) override { m_log.add("stamp", "setDatePosn", p, utc, sec); }

private:
    CallLog& m_log;
};

class FakeWifi final : public WifiBridge {
public:
    explicit FakeWifi(CallLog& log) : m_log(log) {}
    QString address, port;
    void setWifiIPAddress(const QString& a) override { m_log.add("wifi", "setWifiIPAddress", a); address = a; }
    void setWifiPortNumber(const QString& p) override { m_log.add("wifi", "setWifiPortNumber", p); port = p; }
    QString wifiIPAddress() const override { return address; }
    QString wifiPortNumber() const override { return port; }

private:
    CallLog& m_log;
};

class FakeSG4 final : public SG4Device {
public:
    explicit FakeSG4(CallLog& log) : m_log(log) {}
    bool sg4Connected = false, allSkyConnected = false;
    void setSG4Baud(int b) override { m_log.add("sg4", "setSG4Baud", b); }
    void setExpSchedule(float s) override { m_log.add("sg4", "setExpSchedule", s); }
    void setDarkSchedule(float s) override { m_log.add("sg4", "setDarkSchedule", s); }
    void setHeatOnSchedule(float s) override { m_log.add("sg4", "setHeatOnSchedule", s); }
    void setHeatOffSchedule(float s) override { m_log.add("sg4", "setHeatOffSchedule", s); }
    bool isSG4Connect() const override { m_log.add("sg4", "isSG4Connect"); return sg4Connected; }
    bool isAllSkyConnect() const override { m_log.add("sg4", "isAllSkyConnect"); return allSkyConnected; }
    void sg4Disconnect() override { m_log.add("sg4", "sg4Disconnect"); }

private:
    CallLog& m_log;
};

class FakeOptec final : public OptecFocuser {
public:
    explicit FakeOptec(CallLog& log) : m_log(log) {}
    std::array<quint16, 4> speeds{};
    void setOptecSpeed(int slot, quint16 s) override { m_log.add("optec", "setOptecSpeed", slot, s); speeds[std::size_t(slot)] = s; }
    quint16 getOptecSpeed(int slot) const override { return speeds[std::size_t(slot)]; }

private:
    CallLog& m_log;
};

class FakeRobo final : public RoboFocuser {
public:
    explicit FakeRobo(CallLog& log) : m_log(log) {}
    float slope = 0.0f;
    void setRoboSlope(float s) override { m_log.add("robo", "setRoboSlope", s); slope = s; }
    float roboSlope() const override { return slope; }

private:
    CallLog& m_log;
};

// Behaves as the JMI controller does: refuses a backlash above a quarter of
// the maximum, and stores the whole group after an accepted amount or flag.
class FakeJMI final : public JMIFocuser {
public:
    FakeJMI(CallLog& log, PrefControl*& prefs) : m_log(log), m_prefs(prefs) {}
    quint16 maximum = 65535, backlash = 0;
    bool isBacklash = false;
    float slow = 1.0f, fast = 1.0f, io = 1.0f;
    void setSlowAdj(float v) override { m_log.add("jmi", "setSlowAdj", v); slow = v; }
    void setFastAdj(float v) override { m_log.add("jmi", "setFastAdj", v); fast = v; }
    void setIOAdj(float v) override { m_log.add("jmi", "setIOAdj", v); io = v; }
    void setJMIMaxValue(quint16 v) override { m_log.add("jmi", "setJMIMaxValue", v); maximum = v; }
    void setJMIBacklash(quint16 v) override
    {
        m_log.add("jmi", "setJMIBacklash", v);
        if (v > maximum / 4) {
            m_log.add("jmi.beep");
            return;
        }
        backlash = v;
        m_prefs->saveJMIPrefs();
    }
    void setIsJMIBacklash(bool on) override
    {
        m_log.add("jmi", "setIsJMIBacklash", on);
        isBacklash = on;
        m_prefs->saveJMIPrefs();
    }
    quint16 jmiMaxValue() const override { return maximum; }
    quint16 jmiBacklash() const override { return backlash; }
    bool isJMIBacklash() const override { return isBacklash; }
    float jmiSlowAdj() const override { return slow; }
    float jmiFastAdj() const override { return fast; }
    float jmiIOAdj() const override { return io; }

private:
    CallLog& m_log;
    PrefControl*& m_prefs;
};

class FakeMoonLite final : public MoonLiteFocuser {
public:
    FakeMoonLite(CallLog& log, PrefControl*& prefs) : m_log(log), m_prefs(prefs) {}
    float slope = 0.0f;
    quint16 maximum = 65535;
    void moonSetSlope(float s) override { m_log.add("moon", "moonSetSlope", s); slope = s; }
    void moonSetMax(quint16 m) override
    {
        m_log.add("moon", "moonSetMax", m);
        maximum = m;
        m_prefs->saveMoonPrefs();
    }
    float moonSlope() const override { return slope; }
    quint16 moonMaxPosn() const override { return maximum; }

private:
    CallLog& m_log;
    PrefControl*& m_prefs;
};

class FakeFCUSB final : public FCUSBFocuser {
public:
    explicit FakeFCUSB(CallLog& log) : m_log(log) {}
    quint8 speed = 0, speed2 = 0;
    quint16 pwm = 0, pwm2 = 0;
    void setFCUSBSpeed(quint8 v) override { m_log.add("fcusb", "setFCUSBSpeed", int(v)); speed = v; }
    void setFCUSB2Speed(quint8 v) override { m_log.add("fcusb", "setFCUSB2Speed", int(v)); speed2 = v; }
    void setFCUSBPWM(quint16 v) override { m_log.add("fcusb", "setFCUSBPWM", v); pwm = v; }
    void setFCUSB2PWM(quint16 v) override { m_log.add("fcusb", "setFCUSB2PWM", v); pwm2 = v; }
    quint8 fcusbSpeed() const override { return speed; }
    quint8 fcusbSpeed2() const override { return speed2; }
    quint16 fcusbPWM() const override { return pwm; }
    quint16 fcusbPWM2() const override { return pwm2; }

private:
    CallLog& m_log;
};

class FakeDome final : public DomeDevice {
public:
    explicit FakeDome(CallLog& log) : m_log(log) {}
    double x = 0, y = 0, z = 0, bigR = 0, smallR = 0, flip = 0;
    float home = 0, delta = 0, frequency = 0;
    quint32 ticks = 0;
    qint16 overshoot = 0;
    quint16 baud = 0;
    bool boardSetup = false, shutter = false, biDirection = false, connected = false;
    std::array<bool, 4> outputs{};
    void setDomeSetup(double ax, double ay, double az, double r1, double r2, double f, float h, float d,
                      float fr) override
    {
        m_log.add("dome", "setDomeSetup", ax, ay, az, r1, r2, f, h, d, fr);
        x = ax, y = ay, z = az, bigR = r1, smallR = r2, flip = f, home = h, delta = d, frequency = fr;
    }
    void setDomeTicks(quint32 t, qint16 o) override { m_log.add("dome", "setDomeTicks", t, o); ticks = t, overshoot = o; }
    void setBaudRate(quint16 b) override { m_log.add("dome", "setBaudRate", b); baud = b; }
    void setIsBoardSetup(bool v) override { m_log.add("dome", "setIsBoardSetup", v); boardSetup = v; }
    void setIsDomeShutter(bool v) override { m_log.add("dome", "setIsDomeShutter", v); shutter = v; }
    void setIsDomeBiDirection(bool v) override { m_log.add("dome", "setIsDomeBiDirection", v); biDirection = v; }
    void setDomeI5V1(bool v) override { m_log.add("dome", "setDomeI5V1", v); outputs[0] = v; }
    void setDomeI5V2(bool v) override { m_log.add("dome", "setDomeI5V2", v); outputs[1] = v; }
    void setDomeI5V3(bool v) override { m_log.add("dome", "setDomeI5V3", v); outputs[2] = v; }
    void setDomeI5V4(bool v) override { m_log.add("dome", "setDomeI5V4", v); outputs[3] = v; }
    double domeX() const override { return x; }
    double domeY() const override { return y; }
    double domeZ() const override { return z; }
    double domeR() const override { return bigR; }
    double domer() const override { return smallR; }
    double domef() const override { return flip; }
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
    bool isDomeConnect() const override { m_log.add("dome", "isDomeConnect"); return connected; }
    bool domeDisconnect() override { m_log.add("dome", "domeDisconnect"); return true; }

private:
    CallLog& m_log;
};

class FakeDomePanel final : public DomeSetupPanel {
public:
    FakeDomePanel(CallLog& log, const char* name) : m_log(log), m_name(name) {}
    bool gem = false, visible = false;
    void setDomeSetupText() override { m_log.add(m_name, "setDomeSetupText"); }
    void setDomeCalText() override { m_log.add(m_name, "setDomeCalText"); }
    void setIsGEM(bool v) override { m_log.add(m_name, "setIsGEM", v); gem = v; }
    bool isGEM() const override { return gem; }
    bool isVisible() const override { return visible; }

private:
    CallLog& m_log;
    const char* m_name;
};

class FakeDDW final : public DDWDevice {
public:
    explicit FakeDDW(CallLog& log) : m_log(log) {}
    double x = 0, y = 0, z = 0, bigR = 0, smallR = 0, flip = 0;
    float delta = 0, frequency = 0;
    bool connected = false;
    void setDDWSetup(double ax, double ay, double az, double r1, double r2, double f, float d, float fr) override
    {
        m_log.add("ddw", "setDDWSetup", ax, ay, az, r1, r2, f, d, fr);
        x = ax, y = ay, z = az, bigR = r1, smallR = r2, flip = f, delta = d, frequency = fr;
    }
    double ddwX() const override { return x; }
    double ddwY() const override { return y; }
    double ddwZ() const override { return z; }
    double ddwR() const override { return bigR; }
    double ddwr() const override { return smallR; }
    double ddwF() const override { return flip; }
    float ddwDelta() const override { return delta; }
    float ddwFrequency() const override { return frequency; }
    bool isDDWConnect() const override { m_log.add("ddw", "isDDWConnect"); return connected; }
    bool ddwDisconnect() override { m_log.add("ddw", "ddwDisconnect"); return true; }

private:
    CallLog& m_log;
};

class FakeDDWPanel final : public DDWSetupPanel {
public:
    explicit FakeDDWPanel(CallLog& log) : m_log(log) {}
    bool gem = false, visible = false;
    void setIsGEM(bool v) override { m_log.add("ddwPanel", "setIsGEM", v); gem = v; }
    void setDDWSetupText() override { m_log.add("ddwPanel", "setDDWSetupText"); }
    bool isGEM() const override { return gem; }
    bool isVisible() const override { return visible; }

private:
    CallLog& m_log;
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
    FakeMount mount{log, prefs};
    FakePhotoHorizon photo{log};
    FakeDateStamp stamp{log};
    FakeWifi wifi{log};
    FakeSG4 sg4{log};
    FakeOptec optec{log};
    FakeRobo robo{log};
    FakeJMI jmi{log, prefs};
    FakeMoonLite moon{log, prefs};
    FakeFCUSB fcusb{log};
    FakeDome dome{log};
    FakeDomePanel domePanel{log, "domePanel"};
    FakeDDW ddw{log};
    FakeDDWPanel ddwPanel{log};

    PrefLinks links()
    {
        PrefLinks l;
        l.chartRefresh = &chart;
        l.viewSliders = &sliders;
        l.realTimeClock = &clock;
        l.companionServer = &companion;
        l.canon = &canon;
        l.mount = &mount;
        l.photoHorizon = &photo;
        l.allSkyDateStamp = &stamp;
        l.wifiBridge = &wifi;
        l.sg4 = &sg4;
        l.optec = &optec;
        l.robo = &robo;
        l.jmi = &jmi;
        l.moonLite = &moon;
        l.fcusb = &fcusb;
        l.dome = &dome;
        l.domePanel = &domePanel;
        l.ddw = &ddw;
        l.ddwPanel = &ddwPanel;
        return l;
    }
};
