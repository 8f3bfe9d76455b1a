#include "FindFixture.h"

#include "find/AlignmentDelta.h"
#include "find/TrackMount.h"
#include "find/TrackView.h"
#include "model/ObjectIndex.h"

namespace {

struct FakeView final : TrackView {
    bool keepSVClosed() const override { return closed; }
    bool isWindowVisible() const override { return visible; }
    bool isMiniaturized() const override { return false; }
    void setTitle(const QString& t) override { title = t; }
    void orderFront() override { visible = true; }
    void setTrackIndex(int index) override { trackIndex = index; }
    void setTrackRA(double ra, double dec) override { centre = {ra, dec}; }
    void resetDeltas() override { ++resets; }
    void dropFieldImages() override {}
    void display() override { ++displays; }

    bool closed = false;
    bool visible = false;
    QString title;
    int trackIndex = kNoObjectIndex;
    std::optional<std::pair<double, double>> centre;
    int resets = 0;
    int displays = 0;
};

struct FakeMount final : TrackMount {
    bool isConnected() const override { return connected; }
    int scopeProtocol() const override { return protocol; }
    bool isTemmaSync() const override { return temmaSynced; }
    void gotoRA(double ra, double dec) override { gotos.push_back({ra, dec}); }
    void setGotoRA(double ra, double dec) override { stored.push_back({ra, dec}); }

    bool connected = true;
    int protocol = 1;
    bool temmaSynced = false;
    std::vector<std::pair<double, double>> gotos;
    std::vector<std::pair<double, double>> stored;
};

struct FakeAlignment final : AlignmentDelta {
    bool calcDelta() override
    {
        ++calls;
        return computable;
    }
    double dRA() const override { return 0.01; }
    double dDec() const override { return -0.02; }
    bool computable = true;
    int calls = 0;
};

class FindTrackTest : public FindFixture {
protected:
    void SetUp() override
    {
        FindFixture::SetUp();
        FindObjects::Hooks hooks;
        hooks.updateSky = [this] { ++skyUpdates; };
        hooks.now = [this] { return now; };
        hooks.chartWidth = [this] { return width; };
        hooks.setMarkAlpha = [this](float a) { alphas.push_back(a); };
        finder->setHooks(hooks);
        finder->setTrackLinks({&view, &mount, &alignment});
    }
    template <class Record>
    static Record& at(Record& r, float x, float y)
    {
        r.screenX = x;
        r.screenY = y;
        r.state = kStateOnScreen;
        return r;
    }
    void select(double ra, double dec)
    {
        prefs.setFindIndex(kStarIndexBase);
        prefs.setFindName("Vega");
        finder->setTrackRA(ra, dec);
    }

    double width = 500.0;
    std::vector<float> alphas;
    FakeView view;
    FakeMount mount;
    FakeAlignment alignment;
};

TEST_F(FindTrackTest, PickBoxGrowsWithTheChart)
{
    EXPECT_FLOAT_EQ(FindObjects::pickRadius(500.0), 3.0f);
    EXPECT_FLOAT_EQ(FindObjects::pickRadius(1200.0), 4.8f);

    at(sky.addStar("", "", "1"), 104.7f, 100.0f);
    width = 1200.0;
    finder->findObject({100.0, 100.0});
    EXPECT_EQ(prefs.findIndex(), kStarIndexBase);
    width = 500.0;
    finder->findObject({100.0, 100.0});
    EXPECT_EQ(prefs.findIndex(), kNoObjectIndex);
}

TEST_F(FindTrackTest, TheNearestInThePickBoxWinsAndIsNamed)
{
    struct Case {
        const char* what;
        std::function<void()> build;
        int index;
        const char* name;
    };
    const std::vector<Case> cases = {
        {"a nearer planet over a star",
         [this] {
             at(sky.addStar("Vega", "", ""), 11, 10);
             at(sky.planetTable[6], 10, 10).index = 5;
         },
         kPlanetIndexBase + 5, "Saturn"},
        {"a nearer star over a planet listed first",
         [this] {
             at(sky.addStar("Vega", "", ""), 10, 10);
             at(sky.planetTable[6], 11, 10).index = 5;
         },
         kStarIndexBase, "Vega"},
        {"a nearer deep-sky object over a star",
         [this] {
             at(sky.addStar("Vega", "", ""), 10, 11);
             at(sky.addDeepSky(" ", " ", " "), 10, 10);
         },
         kDeepSkyIndexBase, "Deep Sky Object"},
        {"a bright star over the faint neighbour listed before it",
         [this] {
             at(sky.addStar(" ", " ", "234475"), 12, 10).mag = 5.98f;
             at(sky.addStar("Canopus", "", "234480"), 10.5f, 10).mag = -0.74f;
         },
         kStarIndexBase + 1, "Canopus"},
        {"as near: the brighter",
         [this] {
             at(sky.addStar("Faint", "", "1"), 11, 10).mag = 6.0f;
             at(sky.addStar("Bright", "", "2"), 9, 10).mag = 1.0f;
         },
         kStarIndexBase + 1, "Bright"},
        {"deep sky by Messier", [this] { at(sky.addDeepSky(" ", "NGC 224", "M31"), 10, 10); },
         kDeepSkyIndexBase, "M31"},
        {"nameless star", [this] { at(sky.addStar(" ", " ", "12"), 10, 10); }, kStarIndexBase,
         "Star"},
        {"star by Bayer", [this] { at(sky.addStar(" ", "Alp Lyr", "12"), 10, 10); },
         kStarIndexBase, "Alp Lyr"},
        {"faint comet skipped, star under it",
         [this] {
             prefs.setCometMagLimit(10.0);
             at(sky.addNamed(sky.cometTable, "Faint"), 10, 10).mag = 10.5f;
             at(sky.addStar("Vega", "", ""), 10, 10);
         },
         kStarIndexBase, "Vega"},
        {"comet inside the margin",
         [this] {
             prefs.setCometMagLimit(10.0);
             at(sky.addNamed(sky.cometTable, "Bright"), 10, 10).mag = 10.4f;
         },
         kCometIndexBase, "Bright"},
        {"nearest NEO at any magnitude",
         [this] {
             prefs.setCometMagLimit(10.0);
             at(sky.addNamed(sky.minorPlanetTable, "Faint"), 10, 10).mag = 19.0f;
             at(sky.addNamed(sky.minorPlanetTable, "Apophis"), 10, 10).mag = 19.0f;
             sky.neoRecord = 1;
         },
         kMinorPlanetIndexBase + 1, "Apophis"},
        {"empty sky", [this] { at(sky.addStar("Far", "", ""), 50, 50); }, kNoObjectIndex, ""},
    };
    for (const Case& c : cases) {
        sky = FakeSky();
        prefs.setFindName("");
        c.build();
        finder->findObject({10.0, 10.0});
        EXPECT_EQ(prefs.findIndex(), c.index) << c.what;
        if (c.index != kNoObjectIndex) {
            EXPECT_EQ(prefs.findName(), c.name) << c.what;
        }
    }
}

TEST_F(FindTrackTest, StarPlaceCarriesProperMotion)
{
    star& s = at(sky.addStar("Barnard", "", ""), 10, 10);
    s.raDeg = 90.0;
    s.decDeg = 0.0;
    s.pmRA = 0.001;  // radians per century
    sky.jd = 2451545.0 + 2 * 36525.0;
    finder->findObject({10.0, 10.0});
    EXPECT_NEAR(finder->trackRA(), Angles::kPi / 2 + 0.002, 1e-9);
    EXPECT_NEAR(finder->trackDec(), 0.0, 1e-9);
}

TEST_F(FindTrackTest, TrackBranches)
{
    struct Case {
        const char* what;
        bool connected;
        bool closed;
        bool retain;
        int protocol;
        bool align;
        bool computable;
        std::vector<std::pair<double, double>> gotos;
        std::size_t stored;
        bool viewMoved;
    };
    const double ra = 1.0;
    const double dec = 0.5;
    const std::vector<Case> cases = {
        {"no mount", false, false, false, 1, false, true, {}, 0, true},
        {"connected", true, false, false, 1, false, true, {{ra, dec}}, 0, false},
        {"closed, not retained", true, true, false, 1, false, true, {}, 0, false},
        {"closed, retained", true, true, true, 1, false, true, {{ra, dec}}, 0, false},
        {"Temma not synced", true, false, false, 5, false, true, {}, 1, true},
        {"aligned", true, false, false, 1, true, true, {{ra + 0.01, dec - 0.02}}, 0, false},
        {"aligned, closed", true, true, false, 1, true, true, {}, 0, true},
        {"alignment fails", true, false, false, 1, true, false, {{ra, dec}}, 0, false},
    };
    for (const Case& c : cases) {
        mount = FakeMount();
        mount.connected = c.connected;
        mount.protocol = c.protocol;
        view = FakeView();
        view.closed = c.closed;
        alignment.computable = c.computable;
        prefs.setIsScopeRetainPolling(c.retain);
        finder->setIsAlignAdjust(c.align);
        select(ra, dec);
        finder->findTrackAction();
        EXPECT_EQ(mount.gotos, c.gotos) << c.what;
        EXPECT_EQ(mount.stored.size(), c.stored) << c.what;
        EXPECT_EQ(view.centre.has_value(), c.viewMoved) << c.what;
        EXPECT_EQ(view.trackIndex, kStarIndexBase) << c.what;
        EXPECT_EQ(view.title, "Vega") << c.what;
        EXPECT_EQ(view.visible, !c.closed) << c.what;
    }
    // The offsets are used once.
    mount = FakeMount();
    finder->findTrackAction();
    EXPECT_EQ(mount.gotos, (std::vector<std::pair<double, double>>{{ra, dec}}));
}

TEST_F(FindTrackTest, TrackObjectAndNothingSelected)
{
    view.closed = true;
    select(1.0, 0.5);
    finder->trackObject();
    EXPECT_TRUE(mount.gotos.empty());
    ASSERT_TRUE(view.centre);
    EXPECT_EQ(*view.centre, std::make_pair(1.0, 0.5));
    EXPECT_FALSE(view.visible);

    prefs.setFindIndex(kNoObjectIndex);
    view = FakeView();
    finder->findTrackAction();
    finder->trackObject();
    EXPECT_EQ(view.trackIndex, kNoObjectIndex);
    EXPECT_EQ(view.resets, 0);
}

TEST_F(FindTrackTest, TrackAndCenterOnATypedPositionBlinksTheMark)
{
    finder->findObjectName("10:30:45:00");
    ASSERT_TRUE(finder->isCoords());
    finder->findTCAction();
    ASSERT_EQ(mount.gotos.size(), 1u);
    EXPECT_TRUE(prefs.isMarkCenter());
    EXPECT_NEAR(prefs.altitude(), 45.0, 1e-6);  // the pole site: altitude = declination
    EXPECT_FALSE(finder->panelState().isCenterEnabled);
    EXPECT_FALSE(finder->panelState().isTrackCenterEnabled);
    EXPECT_TRUE(finder->isMarkBlinking());
    for (int tick = 0; tick < FindObjects::kMarkTicks; ++tick)
        finder->markTimer();
    EXPECT_FALSE(finder->isMarkBlinking());
    const std::vector<float> blink = {0.25f, 1, 0.25f, 1, 0.25f, 1, 0.25f, 1, 0.25f, 1};
    EXPECT_EQ(alphas, blink);
    EXPECT_EQ(FindObjects::kMarkTickMs * (FindObjects::kMarkTicks - 1), 1800);
}

TEST_F(FindTrackTest, CenterOnACatalogueObjectTurnsTheModel)
{
    finder->findCenterAction();
    EXPECT_EQ(sky.centred, 0);
    at(sky.addStar("Vega", "", ""), 10, 10);
    finder->findObject({10.0, 10.0});
    finder->findCenterAction();
    EXPECT_EQ(sky.centred, 1);
    EXPECT_FALSE(finder->isMarkBlinking());
}

TEST_F(FindTrackTest, GotoCoordsTracksABarePosition)
{
    EXPECT_TRUE(finder->gotoCoordsRA(2.0, -0.3));
    EXPECT_EQ(prefs.findIndex(), kTypedPositionIndex);
    EXPECT_EQ(view.title, "EI Location");
    EXPECT_EQ(mount.gotos, (std::vector<std::pair<double, double>>{{2.0, -0.3}}));
}

}  // namespace
