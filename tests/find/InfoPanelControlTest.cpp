#include "FindFixture.h"

#include "find/InfoStarSource.h"
#include "find/InfoTexts.h"
#include "find/PlannerObjectLink.h"
#include "find/panels/InfoPanel.h"
#include "find/panels/InfoPanelControl.h"
#include "model/ObjectIndex.h"
#include "platform/AppTimeZone.h"

#include <QToolButton>
#include <QWidget>

namespace {

TEST(InfoTextsTest, AnglesCarryAndDistances)
{
    struct Case {
        QString text;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {InfoTexts::decText(-0.5), "-0° 30' 0.0\""},
        {InfoTexts::decText(-1.0), "-1° 0' 0.0\""},
        {InfoTexts::decText(45.999999), "46° 0' 0.0\""},
        {InfoTexts::raText(359.9999), "0h 0m 0.0s"},
        {InfoTexts::raText(359.999), "23h 59m 59.8s"},
        {InfoTexts::minorPlanetEarthText(0.4, true), "393.6 x10³ km"},
        {InfoTexts::minorPlanetEarthText(0.4, false), "396.0 x10³ miles"},
        {InfoTexts::minorPlanetEarthText(12.0, true), "12.0 x10⁶ km"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, QString::fromUtf8(c.expected));
}

TEST(InfoTextsTest, CatalogueLineUnderTheListFilters)
{
    deepSky both{};
    both.caldwell = 14;
    both.herschel = 1;
    deepSky arpHerschelII{};
    arpHerschelII.arp = 77;
    arpHerschelII.herschel = 2;
    struct Case {
        const deepSky* object;
        InfoTexts::CatalogueFilters filters;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {&both, {}, "Caldwell #14"},
        {&both, {false, false, true, false}, "Herschel"},
        {&both, {false, true, false, false}, " "},
        {&arpHerschelII, {}, "Arp #77"},
        {&arpHerschelII, {false, false, false, true}, "Herschel II"},
        {&arpHerschelII, {true, false, false, false}, " "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InfoTexts::catalogueLine(*c.object, c.filters), c.expected) << c.expected;
}

struct FakeStars final : InfoStarSource {
    std::span<const ht2Star> ht2Stars() const override { return ht2; }
    std::span<const nomadData> nomadStars() const override { return nomad; }
    std::vector<ht2Star> ht2;
    std::vector<nomadData> nomad;
};

struct FakePlanner final : PlannerObjectLink {
    void setAPra(double v) override { ra = v; }
    void setAPdec(double v) override { dec = v; }
    void setAPfov(double) override {}
    void setAPmag(double) override {}
    void setAPtype(short v) override { type = v; }
    void setAPid(const QString& v) override { id = v; }
    void setAPname(const QString&) override {}
    double ra = -1;
    double dec = -1;
    short type = 0;
    QString id;
};

class InfoPanelControlTest : public FindFixture {
protected:
    void SetUp() override
    {
        FindFixture::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        AppTimeZone::setZone(QTimeZone("Europe/Berlin"));
        prefs.setLatitude(45.0);
        prefs.setLongitude(13.4);
        prefs.setIsInfoPanel(true);
        prefs.setIsTransparent(false);
        InfoPanelControl::Links links;
        links.setChartTitle = [this](const QString& t) { title = t; };
        links.skyDate = [] {
            return QDateTime(QDate(2024, 3, 20), QTime(12, 0), QTimeZone("Europe/Berlin"));
        };
        links.deepSkyPhoto = [](const deepSky& d) {
            QImage photo(64, 32, QImage::Format_RGB32);
            return QByteArray(d.ngc) == "NGC 1952" ? photo : QImage();
        };
        links.stars = &stars;
        links.planner = &planner;
        control = std::make_unique<InfoPanelControl>(prefs, sky, *finder, links, &window);
    }
    void TearDown() override { AppTimeZone::setZone(QTimeZone::systemTimeZone()); }

    void show(int index, bool toPlanner = false)
    {
        prefs.setFindIndex(index);
        control->updatePanelInfo(toPlanner);
    }
    bool anyPanelVisible() const
    {
        for (const InfoPanel* p : {&control->starInfoPanel(), &control->planetInfoPanel(),
                                   &control->deepSkyInfoPanel(), &control->cometInfoPanel(),
                                   &control->moonInfoPanel(), &control->satelliteInfoPanel()})
            if (p->isVisible())
                return true;
        return false;
    }
    static int clockMinutes(const QString& text)
    {
        const QTime t = QTime::fromString(text, QLocale().timeFormat(QLocale::ShortFormat));
        return t.isValid() ? t.hour() * 60 + t.minute() : -1;
    }

    QWidget window;
    QString title;
    FakeStars stars;
    FakePlanner planner;
    std::unique_ptr<InfoPanelControl> control;
};

TEST_F(InfoPanelControlTest, PlanetPanels)
{
    planet& sun = sky.planetTable[0];
    sun.index = 0;
    // A record of another day: the times follow the Sun's own place through the chart's day.
    sun.ra = float(90.0 * Angles::kDegree);
    sun.dec = float(23.4 * Angles::kDegree);
    sky.planetTable[8].index = 8;
    sky.planetTable[5].index = 5;

    show(kPlanetIndexBase + 8);
    EXPECT_EQ(control->planetInfoPanel().windowTitle(), "Dwarf Planet");
    show(kPlanetIndexBase + 0, true);
    EXPECT_EQ(control->planetInfoPanel().windowTitle(), "Star");
    EXPECT_TRUE(control->planetInfoPanel().isVisible());
    EXPECT_EQ(planner.type, PlannerObjectLink::kPlanet);
    // The reference ephemeris puts the Sun's transit at 12:13.7 that day.
    EXPECT_NEAR(clockMinutes(control->planetInfoPanel().value("Transit:")), 733.72, 1.0);
    EXPECT_NEAR(clockMinutes(control->planetInfoPanel().value("Rise:")), 373.65, 1.0);
    EXPECT_NEAR(clockMinutes(control->planetInfoPanel().value("Set:")) + 0.5, 1094.55, 1.0);

    prefs.setIsInfoPanel(false);
    show(kPlanetIndexBase + 5);
    EXPECT_FALSE(anyPanelVisible());
    EXPECT_EQ(title, "Norvane Pro   (Saturn)");
    control->escapePanel();
    EXPECT_EQ(title, "Norvane Pro");
}

TEST_F(InfoPanelControlTest, DeepSkyTitleAndPhoto)
{
    sky.addDeepSky("", "NG", "M42");
    sky.addDeepSky("Crab Nebula", "NGC 1952", "M1").caldwell = 0;
    show(kDeepSkyIndexBase + 0);
    EXPECT_FALSE(control->deepSkyInfoPanel().thumbnail()->isVisible());
    prefs.setIsInfoPanel(false);
    show(kDeepSkyIndexBase + 0);
    EXPECT_EQ(title, "Norvane Pro   (M42)");

    prefs.setIsInfoPanel(true);
    show(kDeepSkyIndexBase + 1, true);
    EXPECT_EQ(control->deepSkyInfoPanel().value("Mag:"), "0.0");
    EXPECT_TRUE(control->deepSkyInfoPanel().thumbnail()->isVisible());
    EXPECT_EQ(planner.id, "NGC 1952");
    EXPECT_EQ(planner.type, 3);
    control->displayPhotoAction();
    EXPECT_TRUE(control->photoPanel().isVisible());
    EXPECT_EQ(control->photoPanel().windowTitle(), "Crab Nebula");
}

TEST_F(InfoPanelControlTest, EachPanelIsMadeWhenItsKindIsFirstShownAndItsThumbnailOpensThePhoto)
{
    EXPECT_TRUE(window.findChildren<InfoPanel*>().isEmpty());
    control->escapePanel();
    EXPECT_TRUE(window.findChildren<InfoPanel*>().isEmpty());

    sky.planetTable[5].index = 5;
    show(kPlanetIndexBase + 5);
    ASSERT_EQ(window.findChildren<InfoPanel*>().size(), 1);
    InfoPanel* planetPanel = window.findChildren<InfoPanel*>().front();
    EXPECT_EQ(planetPanel, &control->planetInfoPanel());
    EXPECT_TRUE(planetPanel->isVisible());
    control->escapePanel();
    EXPECT_FALSE(planetPanel->isVisible());
    EXPECT_EQ(window.findChildren<InfoPanel*>().size(), 1);

    // A second kind hides the first and is made with its thumbnail joined.
    sky.addDeepSky("Crab Nebula", "NGC 1952", "M1").caldwell = 0;
    show(kDeepSkyIndexBase + 0);
    EXPECT_EQ(window.findChildren<InfoPanel*>().size(), 2);
    EXPECT_FALSE(planetPanel->isVisible());
    control->deepSkyInfoPanel().thumbnail()->click();
    EXPECT_TRUE(control->photoPanel().isVisible());
    EXPECT_EQ(control->photoPanel().windowTitle(), "Crab Nebula");
}

TEST_F(InfoPanelControlTest, SmallBodiesAndSatellites)
{
    prefs.setIsMetric(true);
    minorPlanet& neo = sky.addNamed(sky.minorPlanetTable, "Apophis");
    neo.geoDistance = 0.4f;
    neo.source = kMPSourceUnusual;
    show(kMinorPlanetIndexBase + 0, true);
    EXPECT_EQ(control->cometInfoPanel().value("Earth:"), QString::fromUtf8("393.6 x10³ km"));
    EXPECT_EQ(control->cometInfoPanel().windowTitle(), "NEO");
    EXPECT_EQ(planner.type, PlannerObjectLink::kMinorPlanet);

    show(kPlanetMoonIndexBase + 15);
    EXPECT_EQ(control->satelliteInfoPanel().value("Name:"), "Titan");
    EXPECT_EQ(control->satelliteInfoPanel().value("Orbit:"), QString::fromUtf8("1221 x10³ km"));
}

TEST_F(InfoPanelControlTest, StarBandsAndStaleIndexes)
{
    star& s = sky.addStar("", "Alp Lyr", "67174");
    s.raDeg = 279.23473;
    s.decDeg = 38.78369;
    show(kStarIndexBase, true);
    EXPECT_NEAR(planner.ra, 279.23473 * Angles::kDegree, 1e-9);
    EXPECT_EQ(planner.id, "Alp Lyr");
    prefs.setIsInfoPanel(false);
    show(kStarIndexBase);
    EXPECT_EQ(title, "Norvane Pro   (BF: Alp Lyr)");

    prefs.setIsInfoPanel(true);
    // Right ascension 1, declination 0.5 (radians), as a unit vector.
    stars.ht2.push_back({float(std::cos(0.5) * std::cos(1.0)), float(std::cos(0.5) * std::sin(1.0)),
                         float(std::sin(0.5)), 11.5f, {}});
    show(kHT2StarIndexBase + 0);
    EXPECT_EQ(control->starInfoPanel().value("Name:"), "H/T2 Star");
    EXPECT_TRUE(control->starInfoPanel().isVisible());
    stars.ht2.clear();
    show(kHT2StarIndexBase + 0);
    EXPECT_FALSE(anyPanelVisible());

    show(kStarIndexBase);
    show(kNomadStarIndexBase + 3);
    EXPECT_FALSE(anyPanelVisible());
    show(kStarIndexBase + 7);
    EXPECT_FALSE(anyPanelVisible());
}

TEST_F(InfoPanelControlTest, FadeAndItsStop)
{
    prefs.setIsTransparent(true);
    sky.addStar("Vega", "", "");
    show(kStarIndexBase);
    const InfoPanel& panel = control->starInfoPanel();
    for (int tick = 1; tick <= 99; ++tick)
        control->setAlphaDelay();
    EXPECT_DOUBLE_EQ(panel.windowOpacity(), 1.0);
    // Window opacity is kept in 1/255 steps.
    control->setAlphaDelay();
    EXPECT_NEAR(panel.windowOpacity(), 0.95, 0.005);
    for (int tick = 101; tick <= 114; ++tick)
        control->setAlphaDelay();
    EXPECT_NEAR(panel.windowOpacity(), 0.25, 0.005);
    EXPECT_FALSE(control->isFading());

    show(kStarIndexBase);
    EXPECT_TRUE(control->isFading());
    control->setKillAlphaTimer();
    control->setAlphaDelay();
    EXPECT_FALSE(control->isFading());
    EXPECT_DOUBLE_EQ(panel.windowOpacity(), 1.0);
}

}  // namespace
