#include "app/AssembledProgram.h"
#include "app/ScopeViewAssembly.h"

#include "chart/PrefWindowSetup.h"
#include "mount/panels/ConnectMenu.h"
#include "chart/ChartImages.h"
#include "chart/InfoPanelLabels.h"
#include "chart/SkyView.h"
#include "prefs/FiltersTab.h"
#include "prefs/StarPreview.h"
#include "prefs/PrefWindow.h"
#include "prefs/PrefWindowControl.h"
#include "prefs/SitesTab.h"
#include "app/PrefWindowLink.h"
#include "platform/widgets/ToolTipOwner.h"
#include "prefs/SetupOptions.h"
#include "prefs/TelescopeTab.h"
#include "scopeview/SVDrawView.h"
#include "scopeview/SVDrawer.h"
#include "scopeview/SVWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

namespace {

// The preferences window as the program assembles it, with the telescope view
// made after the chart and gone before it.
class PrefTabsWiringTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        chart->prefControl().readPrefs();
        scopeView = std::make_unique<ScopeViewAssembly>(*chart, folders);
    }
    std::unique_ptr<ScopeViewAssembly> scopeView;
};

QStringList titles(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* item : menu.actions())
        texts += item->text();
    return texts;
}

TEST_F(PrefTabsWiringTest, ASavedTelescopeReachesTheScopeViewAndTheConnectMenu)
{
    TelescopeTab& tab = chart->prefWindow().telescopeTab();
    chart->outlets().prefWindow->setupScopes(0);
    tab.scopeSelectionAction(0);
    tab.nameField()->setText("Dobsonian");
    tab.focalLengthUnit()->button(1)->click();
    tab.focalLengthField()->setText("1200");
    tab.apertureField()->setText("300");
    tab.saveScopeAction();

    SVDrawer& drawer = scopeView->svWindow().svDrawer();
    EXPECT_FLOAT_EQ(drawer.scopeFL(), 1200.0f);
    EXPECT_EQ(scopeView->svWindow().svDrawView().scopeHelp->itemText(0), "Dobsonian");
    EXPECT_TRUE(titles(*chart->mountLink().connectMenu()).contains("Dobsonian"));

    tab.eyeFocalLengthField(0)->setText("25");
    tab.eyeFieldField(0)->setText("52");
    tab.saveEyepieceAction();
    EXPECT_EQ(scopeView->svWindow().svDrawView().eyeRows[0]->text(), "25.0");

    // Emptying the slot takes its item out of the Connect menu.
    tab.focalLengthField()->setText("0");
    tab.saveScopeAction();
    EXPECT_FALSE(titles(*chart->mountLink().connectMenu()).contains("Dobsonian"));
}

TEST_F(PrefTabsWiringTest, TheToolTipSwitchReachesThePreferencesWindowThroughTheChart)
{
    PrefWindowControl& prefs = chart->prefWindow();
    prefs.setupDate();
    QCheckBox* toolTips = prefs.setupOptions().box(SetupOptions::kToolTips);
    const QWidget* reverse = prefs.telescopeTab().reverseEWBox();
    toolTips->setChecked(false);
    toolTips->setChecked(true);
    EXPECT_TRUE(chart->prefControl().isToolTips());
    EXPECT_FALSE(reverse->toolTip().isEmpty());
    toolTips->setChecked(false);
    EXPECT_FALSE(chart->prefControl().isToolTips());
    EXPECT_TRUE(reverse->toolTip().isEmpty());
}

TEST_F(PrefTabsWiringTest, TheStarPreviewDrawsTheChartsStarImages)
{
    chart->outlets().chartImages->createStarArrays();
    PrefWindowControl& prefs = chart->prefWindow();
    prefs.setupDate();
    const StarPreview& preview = *prefs.filtersTab().starPreview();
    const ChartImageSet::StarSet& white = chart->skyWindow().skyView().chartImages().starArray();
    ASSERT_FALSE(white[13].isNull());
    EXPECT_EQ(preview.tinted(StarPreview::Tint::White)[13], white[13]);
    EXPECT_EQ(preview.tinted(StarPreview::Tint::Blue)[13].size(), white[13].size());
    EXPECT_NE(preview.tinted(StarPreview::Tint::Blue)[13], white[13]);
}

TEST_F(PrefTabsWiringTest, TheReadoutChooserIsTheInfoPanelTabWithItsTips)
{
    PrefWindowControl& prefs = chart->prefWindow();
    // A page is laid in its tab as the tab is first chosen.
    prefs.window().tabs()->setCurrentIndex(PrefWindow::kInfoPanel);
    QWidget* tab = prefs.window().tabs()->widget(PrefWindow::kInfoPanel);
    auto* page = dynamic_cast<QWidget*>(chart->outlets().infoPanelDrag);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(tab->isAncestorOf(page));
    EXPECT_FALSE(page->isWindow());
    // Its captions come from the string table.
    QStringList captions;
    for (const QGroupBox* box : tab->findChildren<QGroupBox*>())
        captions += box->title();
    for (const QLabel* label : tab->findChildren<QLabel*>())
        captions += label->text();
    for (const char* key : {"Info Panel Display Items", "Info Panel Positions", "Instructions Key", "View",
                            "Cursor RA/Dec", "Cursor Alt/Az", "Universal Time", "GST", "LST", "Julian Day",
                            "Location"})
        EXPECT_TRUE(captions.contains(QString::fromLatin1(key))) << key;
    // Every tip of the window, the readout buttons' eight included.
    PrefLocalization& texts = prefs.prefLocalization();
    EXPECT_EQ(texts.toolTipCount(), 74);
    texts.setToolTips();
    int readoutTips = 0;
    for (const QWidget* button : page->findChildren<QWidget*>())
        readoutTips += button->toolTip().isEmpty() ? 0 : 1;
    EXPECT_EQ(readoutTips, 8);
    texts.clearToolTips();
    for (const QWidget* button : page->findChildren<QWidget*>())
        EXPECT_TRUE(button->toolTip().isEmpty());
}

}  // namespace

TEST_F(PrefTabsWiringTest, AWindowMadeLateTakesTheToolTipSettingAndTheSiteAMountHandsOver)
{
    // The launch's calls and the tool-tip switch reach no window: none is made yet.
    chart->prefControl().setIsToolTips(true);
    chart->outlets().prefLocalization->setToolTips();
    PrefWindowSetup& setup = *chart->outlets().prefWindow;
    setup.localizePrefPanel();
    setup.setupDate();
    for (const QWidget* widget : QApplication::allWidgets())
        EXPECT_FALSE(widget->inherits("PrefWindow"));

    // A mount reporting its site makes the window, which shows that site.
    SiteHandOver& handOver = chart->prefWindowLink();
    handOver.setLocation(47.0, 8.0, -999.0);
    PrefWindowControl& window = chart->prefWindow();
    EXPECT_EQ(window.sitesTab().latitudeField(0)->text(), "47");
    const auto tipped = [&window] {
        int count = 0;
        for (const QWidget* widget : window.window().findChildren<QWidget*>())
            count += widget->toolTip().isEmpty() ? 0 : 1;
        return count;
    };
    EXPECT_GT(tipped(), 0);
    chart->prefControl().setIsToolTips(false);
    chart->outlets().prefLocalization->clearToolTips();
    EXPECT_EQ(tipped(), 0);
}
