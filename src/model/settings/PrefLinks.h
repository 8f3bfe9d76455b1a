#pragma once

class AllSkyDateStamp;
class CanonCamera;
class ChartRefresh;
class CompanionServer;
class DDWDevice;
class DDWSetupPanel;
class DomeDevice;
class DomeSetupPanel;
class FCUSBFocuser;
class JMIFocuser;
class MountDevice;
class MoonLiteFocuser;
class OptecFocuser;
class PhotoHorizonAdjustments;
class RealTimeClock;
class RoboFocuser;
class SG4Device;
class SettingsReset;
class ViewSliders;
class WebcamDevice;
class WifiBridge;

// The objects of other subsystems the settings object works with: it hands
// them stored values, reads device settings back from them, refreshes the
// chart and disconnects the devices at quit. Each lives for the whole run; a
// null one (a subsystem the program runs without) is skipped.
struct PrefLinks {
    ChartRefresh* chartRefresh = nullptr;
    ViewSliders* viewSliders = nullptr;
    RealTimeClock* realTimeClock = nullptr;
    CompanionServer* companionServer = nullptr;
    MountDevice* mount = nullptr;
    PhotoHorizonAdjustments* photoHorizon = nullptr;
    AllSkyDateStamp* allSkyDateStamp = nullptr;
    WifiBridge* wifiBridge = nullptr;
    SG4Device* sg4 = nullptr;
    CanonCamera* canon = nullptr;
    OptecFocuser* optec = nullptr;
    RoboFocuser* robo = nullptr;
    JMIFocuser* jmi = nullptr;
    MoonLiteFocuser* moonLite = nullptr;
    FCUSBFocuser* fcusb = nullptr;
    DomeDevice* dome = nullptr;
    DomeSetupPanel* domePanel = nullptr;
    DDWDevice* ddw = nullptr;
    DDWSetupPanel* ddwPanel = nullptr;
    WebcamDevice* webcam = nullptr;
    SettingsReset* settingsReset = nullptr;
};
