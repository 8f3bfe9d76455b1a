#include "PrefsFixture.h"

#include "platform/StringTables.h"
#include "prefs/FiltersTab.h"
#include "prefs/PrefLocalization.h"
#include "prefs/PrefWindow.h"
#include "prefs/PrefWindowControl.h"
#include "prefs/TelescopeTab.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

// The window's controls that carry a tool tip (the font and colour panels
// are windows of their own).
int controlsWithTips(QWidget& window)
{
    int count = 0;
    for (const QWidget* widget : window.findChildren<QWidget*>())
        count += widget->window() == &window && !widget->toolTip().isEmpty() ? 1 : 0;
    return count;
}

class PrefLocalizationTest : public ::testing::Test {
protected:
    PrefLocalizationTest() : prefs(gamma), skyDate(prefs), control(prefs, skyDate, filter) {}
    ~PrefLocalizationTest() override { StringTables::setFolder(QString()); }

    void useTable(const QByteArray& text)
    {
        QFile file(dir.path() + "/PrefPanel.strings");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        StringTables::setFolder(dir.path());
    }

    NoGamma gamma;
    PrefControl prefs;
    SkyDateModel skyDate;
    CustomFilter filter;
    PrefWindowControl control;
    QTemporaryDir dir;
};

TEST_F(PrefLocalizationTest, ToolTipsOffLeaveNoneAndOnRestoresEveryOne)
{
    PrefLocalization& texts = control.prefLocalization();
    PrefWindow& window = control.window();
    // Each page laid in its tab, as the user chooses it.
    for (int tab = 0; tab < PrefWindow::kTabCount; ++tab)
        window.tabs()->setCurrentIndex(tab);
    texts.setToolTips();
    const int tips = controlsWithTips(window);
    // Every tip of the Setup, Filters, Fonts & Color and Telescope tabs, the
    // two columns of nine eyepiece fields sharing one each.
    EXPECT_EQ(texts.toolTipCount(), 66);
    EXPECT_EQ(tips, 66 - 2 + 2 * 9);
    EXPECT_FALSE(control.telescopeTab().flipOutlineBox()->toolTip().isEmpty());
    texts.clearToolTips();
    EXPECT_EQ(controlsWithTips(window), 0);
    texts.setToolTips();
    EXPECT_EQ(controlsWithTips(window), tips);
}

TEST_F(PrefLocalizationTest, WithoutATableEveryTextIsItsKey)
{
    useTable("");
    control.localizePrefPanel();
    EXPECT_EQ(control.window().tabs()->tabText(PrefWindow::kFontsAndColor), "Fonts && Color");
    EXPECT_EQ(control.filtersTab().filterBox(FiltersTab::kHerschelII)->text(), "Herschel II");
    control.prefLocalization().setToolTips();
    EXPECT_EQ(control.telescopeTab().reverseEWBox()->toolTip(), "Select if this scope reverses the image East/West");
}

TEST_F(PrefLocalizationTest, ATranslatedKeyChangesExactlyThatText)
{
    useTable("\"Reverse E/W\" = \"Spiegeln O/W\";\n\"Select to show Tool tips\" = \"Hilfe & Tipps\";\n");
    control.localizePrefPanel();
    EXPECT_EQ(control.telescopeTab().reverseEWBox()->text(), "Spiegeln O/W");
    EXPECT_EQ(control.telescopeTab().reverseNSBox()->text(), "Reverse N/S");
    control.prefLocalization().setToolTips();
    EXPECT_EQ(control.setupOptions().box(SetupOptions::kToolTips)->toolTip(), "Hilfe & Tipps");
}

}  // namespace
