#pragma once

#include "chart/ChartPrefs.h"

#include "chart/ChartViewModes.h"
#include "chart/MainWindowControl.h"
#include "chart/NameSearch.h"
#include "chart/SolarSystemWindow.h"
#include "chart/UpdateChain.h"
#include "scopeview/ScopeViewControl.h"

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
    void setTitle(const QString& title) override { log.add("mainWindow", "setTitle", title); }
    void toggleFullScreen() override { log.add("mainWindow", "toggleFullScreen"); }
    bool keepSWClosed() const override { return keepClosed; }
    void setKeepSWClosed(bool on) override { keepClosed = on; }
};

struct FakeNameSearch final : NameSearch, Logged {
    using Logged::Logged;
    int answer = 3;
    int findVoiceName(const QString& name) override { log.add("finder", "findVoiceName", name); return answer; }
    void findCenterAction() override { log.add("finder", "findCenterAction"); }
    void searchInFindPanel(const QString& text) override { log.add("findPanel", "search", text); }
};

// The telescope view window's control; its visibility is the ScopeViewWindow fake's.
struct FakeScopeViewControl final : ScopeViewControl, Logged {
    FakeScopeViewControl(CallLog& log, FakeScopeView& window) : Logged(log), window(window) {}
    FakeScopeView& window;
    bool keepClosed = false;
    bool miniaturized = false;
    bool dssImage = false;
    double ra = 0.0, dec = 0.0;  // the centre with pan offsets, degrees
    void orderFront() override { log.add("svWindow", "orderFront"); window.visible = true; }
    void orderOut() override { log.add("svWindow", "orderOut"); window.visible = false; }
    bool isMiniaturized() const override { return miniaturized; }
    bool keepSVClosed() const override { return keepClosed; }
    void setKeepSVClosed(bool on) override { keepClosed = on; }
    void setTitle(const QString& title) override { log.add("svWindow", "setTitle", title); }
    double trackRAPlus() const override { return ra; }
    double trackDecPlus() const override { return dec; }
    void resetDeltas() override { log.add("svView", "resetDeltas"); }
    double trackedRA = -1.0, trackedDec = -1.0;  // radians
    void setTrackRA(double r, double d) override
    {
        log.add("svView", "setTrackRA");
        trackedRA = r;
        trackedDec = d;
    }
    double trackRA() const override { return trackedRA; }
    double trackDec() const override { return trackedDec; }
    double fieldDegrees = 1.0;
    double fov() const override { return fieldDegrees; }
    bool isDSSImage() const override { return dssImage; }
    void printPage(QPainter&, const QRectF&) override { log.add("svView", "printPage"); }
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
        outlets.nameSearch = &nameSearch;
        outlets.svControl = &scopeView;
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
    FakeNameSearch nameSearch{fakes.log};
    FakeScopeViewControl scopeView{fakes.log, fakes.svWindow};
    ChartOutlets outlets;
    std::unique_ptr<UpdateChain> chain;
};
