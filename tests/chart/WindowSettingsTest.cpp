#include "ChartPrefs.h"

#include "chart/WindowSettings.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

class WindowSettingsTest : public ChartPrefsTest {};

}  // namespace

TEST_F(WindowSettingsTest, EveryWindowHidesByItsGroupsSettingInOrder)
{
    seed({{"HideSkyPref", "NO"}, {"HideScopePref", "NO"}, {"HideWebcamPref", "NO"}, {"HideDomePref", "NO"}});
    const PrefControl& prefs = readPrefs();

    WindowSettings(prefs, fakes.outlets()).setAllHide();

    // The groups still at their default: the views, the planners and the focusers.
    const QSet<QString> hiding = {"svWindow", "ssWindow", "tonightWindow", "optecWindow", "roboWindow", "jmiWindow"};
    QStringList expected;
    for (const QString window : kHideOrder)
        expected << window + (hiding.contains(window) ? ".setHide true" : ".setHide false");
    EXPECT_EQ(fakes.log.calls, expected);
}

TEST_F(WindowSettingsTest, ToolTipsGoOnOrOffAcrossThePanelsInOrder)
{
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        seed({{"ToolTipsPref", on ? "YES" : "NO"}});
        const PrefControl& prefs = readPrefs();
        fakes.log.calls.clear();

        WindowSettings(prefs, fakes.outlets()).toolTipsControl();

        // The NexStar panel is left as it is.
        QStringList expected;
        for (const QString owner : kToolTipOrder)
            expected << owner + (on ? ".setToolTips" : ".clearToolTips");
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

    EXPECT_EQ(fakes.log.calls,
              QStringList({"skyWindow.setHide true", "domePanel.setHide true", "domePanel.setToolTips"}));
}
