#include "app/ScopeAim.h"
#include "chart/ChartPrefs.h"
#include "chart/menus/MenuFakes.h"
#include "model/Angles.h"
#include "model/SkyDateModel.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeControl.h"
#include "mount/SerialControl.h"

#include <gtest/gtest.h>

namespace {

// The reticle's aim over a real mount controller (its state set directly)
// and, when there is one, a fake telescope view.
class ScopeAimTest : public ChartPrefsTest {
protected:
    void SetUp() override
    {
        ChartPrefsTest::SetUp();
        skyDate = std::make_unique<SkyDateModel>(readPrefs());
        scope = std::make_unique<ScopeControl>(settings(), *skyDate, serial, DebugWriter());
        aim = std::make_unique<ScopeAim>(*scope, outlets, [this] { return finder; });
    }
    void withView()
    {
        outlets.svWindow = &window;
        outlets.svControl = &view;
    }

    ChartOutlets outlets;
    FakeScopeView window{fakes.log};
    FakeScopeViewControl view{fakes.log, window};
    SerialControl serial{DebugWriter()};
    std::unique_ptr<SkyDateModel> skyDate;
    std::unique_ptr<ScopeControl> scope;
    FinderTrack finder{7, 1.25, -0.5, {}};
    std::unique_ptr<ScopeAim> aim;
};

}  // namespace

TEST_F(ScopeAimTest, ShownWhileTheViewIsOpenOrAMountIsConnected)
{
    struct Case {
        bool hasView, visible, connected, shown;
    };
    for (const Case c : {Case{false, false, false, false}, Case{false, false, true, true},
                         Case{true, false, false, false}, Case{true, true, false, true},
                         Case{true, false, true, true}}) {
        outlets = {};
        if (c.hasView)
            withView();
        window.visible = c.visible;
        scope->status().isConnected = c.connected;
        EXPECT_EQ(aim->isReticleShown(), c.shown) << c.hasView << c.visible << c.connected;
    }
    scope->status().isConnected = false;
}

TEST_F(ScopeAimTest, PointsAtTheViewsCentreOrWithoutAViewAtTheMountsPosition)
{
    ScopeStatus& status = scope->status();
    status.scopeRA = 2.0;
    status.scopeDec = 0.3;
    EXPECT_NEAR(aim->trackRA(), 2.0, 1e-12);
    EXPECT_NEAR(aim->trackDec(), 0.3, 1e-12);
    EXPECT_FALSE(aim->keepSVClosed());
    aim->followFinder();

    withView();
    view.keepClosed = true;
    view.fieldDegrees = 0.5;
    aim->followFinder();
    EXPECT_EQ(aim->trackRA(), 1.25);
    EXPECT_EQ(aim->trackDec(), -0.5);
    EXPECT_EQ(aim->fov(), 0.5);
    EXPECT_TRUE(aim->keepSVClosed());
}

TEST_F(ScopeAimTest, TheSynScanOffsetsAreTheMountsOwn)
{
    ScopeStatus& status = scope->status();
    status.scopeProtocol = kProtocolSynScan;
    status.synScanRAError = 0.01;
    status.synScanDecError = -0.02;
    EXPECT_EQ(aim->scopeProtocol(), kProtocolSynScan);
    EXPECT_EQ(aim->synScanRAError(), 0.01);
    EXPECT_EQ(aim->synScanDecError(), -0.02);
}
