#include "skydraw/PaintingFixture.h"

#include "chart/painting/MeteorPainter.h"
#include "chart/painting/MeteorShowerTimer.h"
#include "chart/painting/MeteorStreak.h"
#include "skydraw/ChartSkySource.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>
#include <vector>

namespace {

meteor makeShower(const char* name, std::int32_t rate, bool visible, float x, float y)
{
    meteor m{};
    std::strncpy(m.name, name, sizeof m.name - 1);
    m.rate = rate;
    m.visible = visible ? 1 : 0;
    m.screenX = x;
    m.screenY = y;
    return m;
}

class FakeSky final : public ChartSkySource {
public:
    ChartSky chartSky() const override
    {
        ChartSky sky;
        sky.meteors = meteors;
        sky.view.width = 1000.0f;
        return sky;
    }
    std::vector<meteor> meteors;
};

class MeteorLayerTest : public PaintingTest {
protected:
    MeteorShowerTimer makeTimer()
    {
        return MeteorShowerTimer(prefs(), [this](const QRectF& area) { redrawn.push_back(area); },
                                 [this] { return random.bounded(quint32(1) << 31); });
    }
    FakeSky sky;
    QRandomGenerator random{7};
    std::vector<QRectF> redrawn;
};

}  // namespace

TEST(MeteorShowerTimer, TheRateSetsTheIntervalAndNoRateNoTimer)
{
    EXPECT_EQ(MeteorShowerTimer::interval(60), std::chrono::milliseconds(60000));
    EXPECT_EQ(MeteorShowerTimer::interval(120), std::chrono::milliseconds(30000));
    EXPECT_FALSE(MeteorShowerTimer::interval(0));
    EXPECT_FALSE(MeteorShowerTimer::interval(-5));

    // The first visible shower with a rate, in table order.
    const std::vector<meteor> showers = {makeShower("Quiet", 0, true, 0, 0), makeShower("Hidden", 80, false, 0, 0),
                                         makeShower("Lyrids", 18, true, 0, 0), makeShower("Later", 90, true, 0, 0)};
    EXPECT_EQ(MeteorPainter::firstShower(showers), 2);
    EXPECT_FALSE(MeteorPainter::firstShower(std::span(showers).first(2)));
}

TEST(MeteorStreak, StepsRunOutFromTwoStepsOffTheRadiantAndLongOnesFlare)
{
    // A random value of 0 gives the longest step, L/2 with L a twentieth of the width.
    const MeteorStreak longest = MeteorStreak::launch({100, 100}, 1000.0f, [] { return 0u; });
    EXPECT_NEAR(longest.step.x(), 25.0, 1e-4);
    EXPECT_NEAR(longest.step.y(), 25.0, 1e-4);
    EXPECT_TRUE(longest.isBright);
    EXPECT_EQ(longest.ticksPerStep(), 5);
    EXPECT_EQ(longest.start, QPointF(150, 150));
    EXPECT_EQ(longest.color(4), QColor::fromRgbF(0.9f, 0.9f, 0.7f));
    EXPECT_EQ(longest.color(0), QColor::fromRgbF(0.3f, 0.3f, 0.3f));
    // Steps to the left or down never flare.
    const MeteorStreak down = MeteorStreak::launch({100, 100}, 1000.0f, [] { return 0x7FFFFFFFu; });
    EXPECT_NEAR(down.step.x(), -25.0, 1e-3);
    EXPECT_FALSE(down.isBright);
    EXPECT_EQ(down.ticksPerStep(), 3);

    QRandomGenerator seeded(42);
    for (int k = 0; k < 200; ++k) {
        const MeteorStreak s = MeteorStreak::launch({300, 200}, 800.0f, [&] { return seeded.bounded(quint32(1) << 31); });
        EXPECT_LE(std::abs(s.step.x()), 20.0);
        EXPECT_LE(std::abs(s.step.y()), 20.0);
        EXPECT_FALSE(s.isBright);  // a step of at most 20 points never counts as long
        EXPECT_EQ(s.segment(0).p1(), QPointF(300, 200) + 2.0 * s.step);
        for (int j = 1; j < MeteorStreak::kSteps; ++j)
            EXPECT_EQ(s.segment(j).p1(), s.segment(j - 1).p2());
    }
}

TEST_F(MeteorLayerTest, TheRadiantStartsTheTimerWhichStopsWhenNoShowerIsLeft)
{
    prefs().setIsMeteor();
    sky.meteors = {makeShower("Zero", 0, true, 20, 20), makeShower("Perseids", 120, true, 60, 40)};
    MeteorShowerTimer timer = makeTimer();
    timer.setSkySource(&sky);
    MeteorPainter painter(prefs());
    painter.setShowerTimer(&timer);
    const ChartSky snapshot = sky.chartSky();
    const QImage image = render(120, 80, [&](ChartCanvas& c) { painter.paint(c, snapshot); });
    // The cross at the Perseids; the rate-0 shower is passed over.
    EXPECT_NE(at(image, 60, 40), QColor(Qt::black));
    EXPECT_EQ(at(image, 20, 20), QColor(Qt::black));
    ASSERT_TRUE(timer.isMeteorTimer());
    EXPECT_EQ(timer.showerInterval(), std::chrono::milliseconds(30000));

    // A tick launches a streak without waiting; its segments follow one another.
    timer.showMeteorsTimer();
    ASSERT_TRUE(timer.streak());
    EXPECT_EQ(timer.streakStep(), 0);
    EXPECT_FALSE(redrawn.empty());
    const QImage streak = render(120, 80, [&](ChartCanvas& c) { timer.paint(c); });
    EXPECT_GT(inkCount(streak), 0);
    // The steps run on from the event loop, each asking for its area to be redrawn, until the spark is out.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timer.streak(); }, 5000));
    EXPECT_GE(redrawn.size(), std::size_t(2 * MeteorStreak::kSteps));

    // Past the peak: the next tick stops the timer and draws nothing.
    sky.meteors[1].visible = 0;
    timer.showMeteorsTimer();
    EXPECT_FALSE(timer.isMeteorTimer());
}
