#include "ChartPrefs.h"

#include "chart/UpdateChain.h"

#include <gtest/gtest.h>

namespace {

class UpdateChainTest : public ChartPrefsTest {
protected:
    PrefControl& prefs(const QMap<QString, QVariant>& stored = {})
    {
        seed(stored);
        return readPrefs();
    }

    ChartOutlets outlets = fakes.outlets();
};

const QStringList kRecolor = {"images.recolorStarArrays", "images.recolorObjectSymbols"};
const QStringList kForcedRedraw = {"model.calculateStarPositions true", "skyView.display",
                                   "bottomPanel.updateBottomPanel"};

}  // namespace

TEST_F(UpdateChainTest, TheThreeEntriesCallInOrder)
{
    PrefControl& settings = prefs({{"PathPref", "YES"}});
    settings.setFindIndex(4);
    UpdateChain chain(settings, outlets);
    for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown);
        fakes.svWindow.visible = shown;
        // A hidden telescope view is not redrawn.
        const QStringList telescope = shown ? QStringList{"svWindow.display"} : QStringList{};
        fakes.log.calls.clear();

        chain.updateSkyView();
        EXPECT_EQ(fakes.log.calls, kForcedRedraw);
        fakes.log.calls.clear();

        chain.updateSky();
        EXPECT_EQ(fakes.log.calls, kRecolor + kForcedRedraw + telescope + QStringList{"timePanel.setupDate"});
        fakes.log.calls.clear();

        // The selection's path is recomputed; the time panel is not refilled.
        chain.updateSkyAndColor();
        EXPECT_EQ(fakes.log.calls, kRecolor + QStringList{"model.calculatePlanetPath"} + kForcedRedraw + telescope);
    }
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

TEST_F(UpdateChainTest, EveryStepRunsWithoutThePartsThatAreMissing)
{
    outlets = ChartOutlets();
    outlets.skyBottomPanel = &fakes.parts;
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
