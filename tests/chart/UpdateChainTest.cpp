#include "ChartPrefs.h"

#include "chart/UpdateChain.h"

#include <gtest/gtest.h>

namespace {

class UpdateChainTest : public ChartPrefsTest {
protected:
    void SetUp() override
    {
        ChartPrefsTest::SetUp();
        outlets = fakes.outlets();
    }
    PrefControl& prefs(const QMap<QString, QVariant>& stored = {})
    {
        seed(stored);
        return readPrefs();
    }

    ChartOutlets outlets;
};

const QStringList kRecolor = {"images.recolorStarArrays", "images.recolorObjectSymbols"};
const QStringList kForcedRedraw = {"model.calculateStarPositions true", "skyView.display",
                                   "bottomPanel.updateBottomPanel"};

}  // namespace

TEST_F(UpdateChainTest, UpdateSkyViewProjectsRedrawsAndRefreshesTheReadouts)
{
    fakes.svWindow.visible = true;
    UpdateChain chain(prefs(), outlets);

    chain.updateSkyView();

    // Neither the telescope view nor the time panel is refreshed.
    EXPECT_EQ(fakes.log.calls, kForcedRedraw);
}

TEST_F(UpdateChainTest, UpdateSkyAlsoRefreshesTheTelescopeViewAndTheTimePanel)
{
    fakes.svWindow.visible = true;
    UpdateChain chain(prefs(), outlets);

    chain.updateSky();

    const QStringList after = {"svWindow.display", "timePanel.setupDate"};
    EXPECT_EQ(fakes.log.calls, kRecolor + kForcedRedraw + after);
}

TEST_F(UpdateChainTest, AHiddenTelescopeViewIsNotRedrawn)
{
    UpdateChain chain(prefs({{"PathPref", "YES"}}), outlets);

    chain.updateSky();
    EXPECT_FALSE(fakes.log.calls.contains("svWindow.display"));
    EXPECT_TRUE(fakes.log.calls.contains("timePanel.setupDate"));
    fakes.log.calls.clear();

    chain.updateSkyAndColor();
    EXPECT_FALSE(fakes.log.calls.contains("svWindow.display"));
}

TEST_F(UpdateChainTest, UpdateSkyAndColorRecomputesThePathOfTheSelection)
{
    fakes.svWindow.visible = true;
    PrefControl& settings = prefs({{"PathPref", "YES"}});
    settings.setFindIndex(4);
    UpdateChain chain(settings, outlets);

    chain.updateSkyAndColor();

    // The time panel is not refilled.
    const QStringList path = {"model.calculatePlanetPath"};
    const QStringList after = {"svWindow.display"};
    EXPECT_EQ(fakes.log.calls, kRecolor + path + kForcedRedraw + after);
}

TEST_F(UpdateChainTest, NoPathWithoutASelectionOrWithThePathLayerOff)
{
    const std::pair<QString, int> cases[] = {{"YES", kNoObjectIndex}, {"NO", 4}};
    for (const auto& [path, selection] : cases) {
        SCOPED_TRACE(path.toStdString());
        PrefControl& settings = prefs({{"PathPref", path}});
        settings.setFindIndex(selection);
        fakes.log.calls.clear();

        UpdateChain(settings, outlets).updateSkyAndColor();

        EXPECT_EQ(fakes.log.calls, kRecolor + kForcedRedraw);
    }
}

TEST_F(UpdateChainTest, ViewOnlyChangesReprojectWithoutForceAndLeaveTheReadouts)
{
    PrefControl& settings = prefs();
    UpdateChain chain(settings, outlets);

    chain.zoom();
    chain.viewDidEndLiveResize(QRectF(0, 0, 640, 480));

    const QStringList redraw = {"model.calculateStarPositions false", "skyView.display"};
    EXPECT_EQ(fakes.log.calls, redraw + redraw);
    EXPECT_EQ(settings.skyViewRect(), QRectF(0, 0, 640, 480));
}

TEST_F(UpdateChainTest, TrackingAndCentringTheSelection)
{
    UpdateChain chain(prefs(), outlets);

    chain.trackSelection();
    EXPECT_EQ(fakes.log.calls, QStringList({"finder.findTrackAction",
                                            "model.calculateStarPositions false",
                                            "bottomPanel.updateBottomPanel"}));
    fakes.log.calls.clear();

    chain.centerSelection();
    EXPECT_EQ(fakes.log.calls,
              QStringList({"model.centerObject", "model.calculateStarPositions false",
                           "skyView.display", "bottomPanel.updateBottomPanel"}));
}

TEST_F(UpdateChainTest, EveryStepRunsWithoutThePartsThatAreMissing)
{
    outlets = ChartOutlets();
    outlets.skyBottomPanel = &fakes.bottomPanel;
    PrefControl& settings = prefs({{"PathPref", "YES"}});
    settings.setFindIndex(4);
    UpdateChain chain(settings, outlets);

    chain.updateSkyView();
    chain.updateSky();
    chain.updateSkyAndColor();
    chain.viewDidEndLiveResize(QRectF(0, 0, 10, 10));

    EXPECT_EQ(fakes.log.calls, QStringList(3, "bottomPanel.updateBottomPanel"));
    EXPECT_EQ(settings.skyViewRect(), QRectF(0, 0, 10, 10));
}

TEST_F(UpdateChainTest, TheSettingsObjectRefreshesTheChartThroughTheChain)
{
    PrefControl& settings = prefs();
    UpdateChain chain(settings, outlets);
    PrefLinks links;
    links.chartRefresh = &chain;
    settings.setLinks(links);
    settings.setIsNightVision();

    settings.setNightVisionColor();

    EXPECT_EQ(fakes.log.calls, kRecolor + kForcedRedraw);
}
