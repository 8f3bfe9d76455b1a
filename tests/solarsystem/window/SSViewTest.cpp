#include "SSFixture.h"

#include "platform/DataPaths.h"
#include "solarsystem/window/SSImages.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
const QPointF kCentre(SSFixture::kWidth / 2.0, SSFixture::kHeight / 2.0);

class SSViewTest : public SSFixture {
protected:
    void SetUp() override
    {
        SSFixture::SetUp();
        view = std::make_unique<SSView>(*prefs, bodies, noImages.path());
        view->resize(kWidth, kHeight);
    }

    // Where a planet of an almost uninclined orbit stands at the start view:
    // longitude 0 straight below the Sun, growing counter-clockwise.
    static QPointF startViewPoint(double radius, double longitude)
    {
        return kCentre + QPointF(radius * std::sin(longitude), -radius * std::cos(longitude));
    }

    std::unique_ptr<SSView> view;
};

TEST_F(SSViewTest, InnerPlanetsAreSkippedWhenTheirOrbitsAreTooSmall)
{
    // Mercury at 90 deg, Venus at 200 deg. At zoom 1 an 800-px view has 0.08
    // px per 10^6 km: Mercury's orbit (about 4.2 px) is skipped, Venus's
    // (about 8.6 px) is drawn with her marker on it. At zoom 2 both are drawn.
    bodies.plotL[0] = kPi / 2;
    bodies.plotL[1] = 200.0 * kPi / 180.0;
    struct Case {
        float zoom;
        bool mercuryDrawn;
    };
    for (const Case c : {Case{1.0f, false}, Case{2.0f, true}}) {
        view->setZoom(c.zoom);
        const double scale = 0.04 * std::exp2(c.zoom);
        const QImage image = render(*view);
        const double mercuryAnomaly = kPi / 2 - (77.5 + 48.3) * kPi / 180;
        const double mercuryRadius = 57.9 * (1 - 0.206 * 0.206) / (1 + 0.206 * std::cos(mercuryAnomaly));
        const QPointF mercury = startViewPoint(mercuryRadius * scale, kPi / 2);
        const QPointF venus = startViewPoint(108.2 * scale, 200.0 * kPi / 180.0);
        EXPECT_EQ(anyLight(image, mercury.x(), mercury.y(), 1), c.mercuryDrawn) << c.zoom;
        EXPECT_GT(at(image, venus.x(), venus.y()).lightness(), 120) << c.zoom;
    }
}

TEST_F(SSViewTest, TiltGaugeShowsTheEclipticPlaneAtThePlotsTilt)
{
    const QColor north = QColor::fromRgbF(0.2, 0.6, 0.2);
    // Straight down from the north: a full green disc of radius 10 about
    // (20, 20), the black pointer to the vernal point straight down.
    QImage image = render(*view);
    EXPECT_EQ(at(image, 27, 20).green(), north.green());
    EXPECT_EQ(at(image, 20, 27).green(), north.green());
    EXPECT_LT(at(image, 20, 14).lightness(), at(image, 24, 14).lightness());
    EXPECT_FALSE(anyLight(image, 20, 32, 1));

    // Edge-on: a 20-px line (on a pixel edge, so half in each row), nothing above or below it.
    view->setAngle(90.0f);
    image = render(*view);
    EXPECT_GT(brightest(image, 12, 20).green(), 60);
    EXPECT_GT(brightest(image, 28, 20).green(), 60);
    EXPECT_FALSE(anyLight(image, 33, 20, 1));
    EXPECT_FALSE(anyLight(image, 20, 25, 1));
    EXPECT_FALSE(anyLight(image, 20, 15, 1));

    // From below, rotated a quarter turn: darker disc, pointer to the right.
    view->setAngle(180.0f);
    view->setRotate(90.0f);
    image = render(*view);
    EXPECT_EQ(at(image, 20, 27).green(), QColor::fromRgbF(0.1, 0.4, 0.1).green());
    EXPECT_LT(at(image, 26, 20).lightness(), at(image, 26, 23).lightness());
}

TEST_F(SSViewTest, SelectedCometsOrbitGoesAroundTheSunWithTheBodyAndItsName)
{
    // e 0.5, q 1 AU in the ecliptic with perihelion toward the vernal
    // point, the comet at aphelion; zoom 3 gives 0.32 px per 10^6 km.
    bodies.orbit = OrbitPlot{0.5f, 0.0f, 1.0f, float(kPi), 0.0f, 0.0f};
    prefs->setFindIndex(kCometIndexBase);
    view->setZoom(3.0f);
    const double q = 149.6 * 0.32;
    const QPointF comet = kCentre + QPointF(0, 3 * q);
    QImage image = render(*view);
    EXPECT_GT(brightest(image, kCentre.x(), kCentre.y() - q).lightness(), 150);        // perihelion
    EXPECT_EQ(at(image, comet.x(), comet.y()), QColor(Qt::white));
    EXPECT_GT(brightest(image, kCentre.x() + 1.5 * q, kCentre.y()).lightness(), 150);  // latus rectum
    EXPECT_FALSE(anyLight(image, kCentre.x(), kCentre.y() + 1.5 * q, 3));               // inside it

    // The name stands right of the body, above the orbit's line, only when comet names are shown.
    const QPointF label = comet + QPointF(34, 8);
    ASSERT_FALSE(prefs->isCometNames());
    EXPECT_FALSE(anyLight(image, label.x(), label.y(), 4));
    prefs->setIsCometNames();
    image = render(*view);
    bool lit = false;
    for (int x = -25; x <= 25; x += 5)
        lit = lit || anyLight(image, label.x() + x, label.y(), 4);
    EXPECT_TRUE(lit);
}

TEST_F(SSViewTest, OnlyACometOrMinorPlanetStillInItsTableIsDrawn)
{
    bodies.orbit = OrbitPlot{0.2f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f};
    bodies.comets = 1;
    bodies.minorPlanets = 1;
    struct Case {
        int findIndex;
        bool drawn;
    };
    for (const Case c : {Case{kNoObjectIndex, false}, Case{kSimStarIndex, false},
                         Case{kPlanetIndexBase + 4, false}, Case{kCometIndexBase, true},
                         Case{kCometIndexBase + 99999, false}, Case{400000, false},
                         Case{kMinorPlanetIndexBase, true}, Case{kMinorPlanetIndexBase + 1, false}}) {
        bodies.asked.clear();
        view->setPlot9(0, 0, 0, 0, 0, 0);
        prefs->setFindIndex(c.findIndex);
        render(*view);
        EXPECT_EQ(bodies.asked.size(), c.drawn ? 1u : 0u) << c.findIndex;
        EXPECT_EQ(view->orbitTable().r[OrbitTable::kSmallBody], c.drawn ? 1.0 : 0.0) << c.findIndex;
    }
}

TEST_F(SSViewTest, AResizeKeepsTheSunAtItsPlaceInProportion)
{
    render(*view);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(400, 300), QPointF(400, 300), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(600, 150), QPointF(600, 150), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &press);
    QApplication::sendEvent(view.get(), &move);
    // Dragged right and up: the view's y grows upward.
    EXPECT_EQ(view->sunOffset(), QPointF(600, 450));

    view->setDidResize(true);
    view->resize(400, 300);
    render(*view);
    EXPECT_EQ(view->sunOffset(), QPointF(300, 225));
    // A later zoom scales the pan about the new centre, not the old one.
    view->setZoom(2.0f);
    render(*view);
    EXPECT_EQ(view->sunOffset(), QPointF(400, 300));

    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &twice);
    EXPECT_EQ(view->sunOffset(), QPointF(200, 150));
    EXPECT_EQ(view->zoom(), 2.0f);
}

TEST_F(SSViewTest, ShippedPicturesAllLoadAndTheSunCoversTheCentre)
{
    const SSImages images = SSImages::load(DataPaths::bundleResourcesFolder());
    ASSERT_FALSE(images.sun.isNull());
    EXPECT_FALSE(images.beltPattern.isNull());
    for (int k = 0; k < OrbitTable::kPlanets; ++k)
        EXPECT_EQ(images.planet(k).isNull(), k < 2 || k == OrbitTable::kPluto) << k;

    // The view reads them when it first draws.
    SSView pictured(*prefs, bodies, DataPaths::bundleResourcesFolder());
    pictured.resize(kWidth, kHeight);
    pictured.setZoom(4.0f);
    const QImage image = render(pictured);
    EXPECT_GT(at(image, kCentre.x(), kCentre.y()).red(), 200);
    // The belt (330 to 479 x 10^6 km, 0.64 px per 10^6 km) is filled with its tile.
    int lit = 0;
    for (int x = 220; x < 295; ++x)
        for (int y = -20; y < 20; ++y)
            lit += at(image, kCentre.x() + x, kCentre.y() + y).lightness() > 40;
    EXPECT_GT(lit, 0);
}

}  // namespace
