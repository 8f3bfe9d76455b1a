#include "ChartPrefs.h"

#include "chart/WindowSettings.h"

#include <gtest/gtest.h>

namespace {

class WindowSettingsTest : public ChartPrefsTest {};

}  // namespace

TEST_F(WindowSettingsTest, EveryWindowHidesByItsGroupsSettingInOrder)
{
    seed({{"HideSkyPref", "NO"}, {"HideScopePref", "NO"}, {"HideWebcamPref", "NO"},
          {"HideDomePref", "NO"}});
    const PrefControl& prefs = readPrefs();
    const ChartOutlets outlets = fakes.outlets();

    WindowSettings(prefs, outlets).setAllHide();

    EXPECT_EQ(fakes.log.calls, QStringList({
                                   "skyWindow.setHide false",
                                   "svWindow.setHide true",
                                   "lx200Panel.setHide false",
                                   "meadeBasicPanel.setHide false",
                                   "temmaPanel.setHide false",
                                   "nexStarPanel.setHide false",
                                   "geminiPanel.setHide false",
                                   "iOptronPanel.setHide false",
                                   "iEQ45Panel.setHide false",
                                   "alignPanel.setHide false",
                                   "ssWindow.setHide true",
                                   "tonightWindow.setHide true",
                                   "webcamPanel.setHide false",
                                   "canonPanel.setHide false",
                                   "sg4Panel.setHide false",
                                   "allSkyPanel.setHide false",
                                   "optecWindow.setHide true",
                                   "roboWindow.setHide true",
                                   "jmiWindow.setHide true",
                                   "domePanel.setHide false",
                                   "ddwPanel.setHide false",
                               }));
}

TEST_F(WindowSettingsTest, ToolTipsGoOnOrOffAcrossThePanelsInOrder)
{
    const QStringList owners = {
        "timePanel", "directionPanel", "prefLocalization", "findPanel", "svDrawView",
        "lx200Panel", "meadeBasicPanel", "temmaPanel", "geminiPanel", "iOptronPanel",
        "iEQ45Panel", "webcamControl", "canonPanel", "domePanel", "ddwPanel",
    };
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        seed({{"ToolTipsPref", on ? "YES" : "NO"}});
        const PrefControl& prefs = readPrefs();
        const ChartOutlets outlets = fakes.outlets();
        fakes.log.calls.clear();

        WindowSettings(prefs, outlets).toolTipsControl();

        QStringList expected;
        for (const QString& owner : owners)
            expected << owner + (on ? ".setToolTips" : ".clearToolTips");
        // The NexStar panel is left as it is.
        EXPECT_EQ(fakes.log.calls, expected);
    }
}

TEST_F(WindowSettingsTest, WindowsThatAreNotThereAreSkipped)
{
    const PrefControl& prefs = readPrefs();
    ChartOutlets outlets;
    outlets.skyWindow = &fakes.skyWindow;
    outlets.domePanel = &fakes.domePanel;

    WindowSettings(prefs, outlets).setAllHide();
    WindowSettings(prefs, outlets).toolTipsControl();

    EXPECT_EQ(fakes.log.calls, QStringList({"skyWindow.setHide true", "domePanel.setHide true",
                                            "domePanel.setToolTips"}));
}
