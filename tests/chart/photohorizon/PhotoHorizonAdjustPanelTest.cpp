#include "chart/ChartPrefs.h"

#include "chart/photohorizon/OpenGLView.h"
#include "chart/photohorizon/PhotoHorizonAdjustPanel.h"
#include "model/settings/PrefLinks.h"
#include "skydraw/ChartDisplay.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QSlider>

#include <limits>

namespace {

struct CountingDisplay final : ChartDisplay {
    int redraws = 0;
    void display() override { ++redraws; }
};

template <class T, std::size_t N>
QByteArray bytes(const std::array<T, N>& values)
{
    return QByteArray(reinterpret_cast<const char*>(values.data()), int(sizeof values));
}

class PhotoHorizonAdjustPanelTest : public ChartPrefsTest {
protected:
    void SetUp() override
    {
        ChartPrefsTest::SetUp();
        PrefControl& prefs = makePrefs();
        view = std::make_unique<OpenGLView>(prefs, OpenGLView::Links{});
        PrefLinks links;
        links.photoHorizon = view.get();
        prefs.setLinks(links);
        prefs.readPrefs();
        panel = std::make_unique<PhotoHorizonAdjustPanel>(prefs, *view, display);
    }
    void chooseSite(int site) { panel->radio(PhotoHorizonAdjustPanel::SiteRadio).button(site)->click(); }

    CountingDisplay display;
    std::unique_ptr<OpenGLView> view;
    std::unique_ptr<PhotoHorizonAdjustPanel> panel;
};

}  // namespace

TEST_F(PhotoHorizonAdjustPanelTest, ElevationShowsAHundredthMinusTheOffsetWhileTheSliderCarriesIt)
{
    using P = PhotoHorizonAdjustPanel;
    view->setPhotoElevAdj(2, 2.5f);
    view->setPhotoDirAdj(2, -12.5f);
    view->setPhotoDegreeAdj(2, 4);
    settings().setCurrentSite(2);
    panel->updatePanel();
    EXPECT_EQ(panel->radio(P::DegreeRadio).checkedId(), 4);
    EXPECT_EQ(panel->text(P::ElevSlider).text(), "-2.49");
    EXPECT_DOUBLE_EQ(panel->sliderValue(P::ElevSlider), 2.5);
    EXPECT_EQ(panel->text(P::DirSlider).text(), "-12.50");
    // Choosing another site shows its values without redrawing the chart;
    // a value the slider cannot show, or a band past 5, is kept as it is.
    view->setPhotoDirAdj(0, 500.0f);
    view->setPhotoDegreeAdj(0, 9);
    chooseSite(0);
    EXPECT_FLOAT_EQ(view->photoDirAdj(0), 500.0f);
    EXPECT_EQ(view->photoDegreeAdj(0), 9);
    EXPECT_EQ(panel->text(P::ElevSlider).text(), "0.01");
    EXPECT_EQ(panel->radio(P::DegreeRadio).checkedId(), 0);
    EXPECT_EQ(display.redraws, 0);
}

TEST_F(PhotoHorizonAdjustPanelTest, MovesChangeTheChosenSiteOnlyAndRedraw)
{
    using P = PhotoHorizonAdjustPanel;
    panel->updatePanel();
    chooseSite(3);  // not the current site
    panel->slider(P::DirSlider).setValue(455);
    panel->radio(P::DegreeRadio).button(3)->click();
    EXPECT_FLOAT_EQ(view->photoDirAdj(3), 45.5f);
    EXPECT_EQ(view->photoDegreeAdj(3), 3);
    EXPECT_FLOAT_EQ(view->photoDirAdj(0), 0.0f);
    EXPECT_EQ(display.redraws, 2);
}

TEST_F(PhotoHorizonAdjustPanelTest, HidingClosingAndQuittingStoreTheFourBlocksByteForByte)
{
    using P = PhotoHorizonAdjustPanel;
    panel->updatePanel();
    chooseSite(1);
    panel->slider(P::ElevSlider).setValue(250);
    panel->slider(P::DirSlider).setValue(-1799);
    panel->radio(P::DegreeRadio).button(3)->click();
    panel->show();
    panel->hide();  // as the Setup menu hides it: no close, but stored
    const std::array<float, 5> elevation{0.0f, 2.5f, 0.0f, 0.0f, 0.0f};
    const std::array<float, 5> direction{0.0f, -179.9f, 0.0f, 0.0f, 0.0f};
    const std::array<quint16, 5> bands{0, 3, 0, 0, 0};
    auto stored = [](const char* key) { return storedValues().value(key).toByteArray(); };
    EXPECT_EQ(stored("PhotoElevAdjPref"), bytes(elevation));
    EXPECT_EQ(stored("PhotoDirAdjPref"), bytes(direction));
    EXPECT_EQ(stored("PhotoDegreeAdjPref"), bytes(bands));
    EXPECT_EQ(stored("PhotoBrightAdjPref"), QByteArray(20, '\0'));

    panel->slider(P::BrightSlider).setValue(15);
    ASSERT_TRUE(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit", Qt::DirectConnection));
    const std::array<float, 5> brightness{0.0f, 1.5f, 0.0f, 0.0f, 0.0f};
    EXPECT_EQ(stored("PhotoBrightAdjPref"), bytes(brightness));
}

TEST_F(PhotoHorizonAdjustPanelTest, SitesOutsideTheFiveAndValuesThatAreNotNumbersAreHeldOff)
{
    view->setPhotoDirAdj(5, 10.0f);
    view->setPhotoElevAdj(1, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(view->photoDirAdjArray(), (std::array<float, 5>{}));
    EXPECT_EQ(view->photoElevAdjArray(), (std::array<float, 5>{}));
    settings().setCurrentSite(7);  // renders nothing, and reads no value past the five
    EXPECT_FALSE(view->drawImage(100, 100).has_value());
}
