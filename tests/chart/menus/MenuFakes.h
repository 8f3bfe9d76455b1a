#pragma once

#include "chart/ChartPrefs.h"

#include "chart/ChartViewModes.h"
#include "chart/MainWindowControl.h"
#include "chart/SolarSystemWindow.h"
#include "chart/UpdateChain.h"

#include <memory>

struct FakeSolarSystem final : SolarSystemWindow, Logged {
    using Logged::Logged;
    bool visible = false;
    bool isWindowVisible() const override { return visible; }
    void display() override { log.add("ssWindow", "display"); }
    void orderFront() override { log.add("ssWindow", "orderFront"); visible = true; }
    void orderOut() override { log.add("ssWindow", "orderOut"); visible = false; }
    void updatePositions() override { log.add("ssWindow", "updatePositions"); }
};

struct FakeViewModes final : ChartViewModes, Logged {
    using Logged::Logged;
    int outline = 0;
    bool monitorAdjust = false;
    bool pasteboardTakes = true;
    int outlines() const override { return outline; }
    void setOutlines(int o) override { outline = o; }
    bool showMonitorAdjust() const override { return monitorAdjust; }
    void setMonitorAdjust() override { monitorAdjust = !monitorAdjust; }
    void setIsAngleSep(bool on) override { log.add("skyView", "setIsAngleSep", on); }
    void setIsCopy(bool on) override { log.add("skyView", "setIsCopy", on); }
    void setIsTrack(bool on) override { log.add("skyView", "setIsTrack", on); }
    void setIsCenter(bool on) override { log.add("skyView", "setIsCenter", on); }
    bool setPasteboard() override { log.add("skyView", "setPasteboard"); return pasteboardTakes; }
};

struct FakeMainWindow final : MainWindowControl, Logged {
    using Logged::Logged;
    bool visible = true;
    bool keepClosed = false;
    bool isWindowVisible() const override { return visible; }
    void orderFront() override { log.add("mainWindow", "orderFront"); visible = true; }
    void orderOut() override { log.add("mainWindow", "orderOut"); visible = false; }
    void displayWindow() override { log.add("mainWindow", "displayWindow"); }
    void makeKeyWindow() override { log.add("mainWindow", "makeKeyWindow"); }
    void toggleFullScreen() override { log.add("mainWindow", "toggleFullScreen"); }
    bool keepSWClosed() const override { return keepClosed; }
    void setKeepSWClosed(bool on) override { keepClosed = on; }
};

// The settings after their launch read, every outlet connected to a fake,
// and the real update chain on them.
class MenusTest : public ChartPrefsTest {
protected:
    void SetUp() override
    {
        ChartPrefsTest::SetUp();
        readPrefs();
        outlets = fakes.outlets();
        outlets.ssControl = &solarSystem;
        outlets.skyViewModes = &viewModes;
        outlets.mainWindow = &mainWindow;
        chain = std::make_unique<UpdateChain>(settings(), outlets);
    }
    // How often the chart was projected with `force`.
    int projections(bool force) const
    {
        return int(fakes.log.calls.count(QStringLiteral("model.calculateStarPositions %1").arg(force ? "true" : "false")));
    }
    int count(const char* call) const { return int(fakes.log.calls.count(QString::fromLatin1(call))); }

    FakeSolarSystem solarSystem{fakes.log};
    FakeViewModes viewModes{fakes.log};
    FakeMainWindow mainWindow{fakes.log};
    ChartOutlets outlets;
    std::unique_ptr<UpdateChain> chain;
};
