#pragma once

class AllSkyDateStamp;
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
class RoboFocuser;
class SG4Device;
class ViewSliders;
class WifiBridge;

// The objects of other subsystems the settings object hands stored values
// to and reads device settings back from. Each lives for the whole run; a
// null one (a subsystem the program runs without) is skipped.
struct PrefLinks {
    ViewSliders* viewSliders = nullptr;
    MountDevice* mount = nullptr;
    PhotoHorizonAdjustments* photoHorizon = nullptr;
    AllSkyDateStamp* allSkyDateStamp = nullptr;
    WifiBridge* wifiBridge = nullptr;
    SG4Device* sg4 = nullptr;
    OptecFocuser* optec = nullptr;
    RoboFocuser* robo = nullptr;
    JMIFocuser* jmi = nullptr;
    MoonLiteFocuser* moonLite = nullptr;
    FCUSBFocuser* fcusb = nullptr;
    DomeDevice* dome = nullptr;
    DomeSetupPanel* domePanel = nullptr;
    DDWDevice* ddw = nullptr;
    DDWSetupPanel* ddwPanel = nullptr;
};
