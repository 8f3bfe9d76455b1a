#include "SSFixture.h"

#include "model/Angles.h"
#include "platform/AppTimeZone.h"
#include "solarsystem/window/SSDrawView.h"
#include "solarsystem/window/SSDrawer.h"
#include "solarsystem/window/SSWindow.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kDay = 1.0;
constexpr double kHour = 1.0 / 24.0;

class SSWindowTest : public SSFixture {
protected:
    void SetUp() override
    {
        SSFixture::SetUp();
        window = std::make_unique<SSWindow>(*prefs, *skyDate, bodies, noImages.path());
    }

    SSView& view() { return window->ssView(); }
    SSDrawer& drawer() { return window->ssDrawer(); }
    double tiltValue() { return view().angle() * Angles::kRadToDeg + 90.0; }
    double rotation() { return view().rotate() * Angles::kRadToDeg; }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window.get(), key, modifiers);
    }
    void wheel(QPoint notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QPointF at = QPointF(100, 100))
    {
        QWheelEvent event(at, at, QPoint(), notches * 120, Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view(), &event);
    }
    // The readouts below the plot: 0 date, 1 tilt, 2 rotation.
    QString readout(int i)
    {
        static const char* const names[] = {"ssDateText", "ssAngleText", "ssRotateText"};
        return window->findChild<QLabel*>(names[i])->text();
    }

    std::unique_ptr<SSWindow> window;
};

TEST_F(SSWindowTest, ArrowKeysZoomTiltAndRotateWithinTheirRanges)
{
    view().setZoom(9.995f);
    key(Qt::Key_Up);
    EXPECT_FLOAT_EQ(view().zoom(), 10.0f);
    view().setZoom(0.105f);
    key(Qt::Key_Down);
    EXPECT_FLOAT_EQ(view().zoom(), 0.1f);
    view().setRotate(359.9f);
    key(Qt::Key_Left);
    EXPECT_NEAR(rotation(), 0.1, 1e-4);
    view().setRotate(0.1f);
    key(Qt::Key_Right);
    EXPECT_NEAR(rotation(), 359.9, 1e-4);
    view().setAngle(179.95f);
    key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_NEAR(tiltValue(), 180.0, 1e-4);
    view().setAngle(0.05f);
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_NEAR(tiltValue(), 0.0, 1e-4);
    EXPECT_TRUE(bodies.recomputes.empty());
    // The sliders and the readouts follow the keys.
    EXPECT_EQ(drawer().drawView().ssAngleSlider->value(), 0);
    EXPECT_EQ(readout(1), "Angle: 90°");
}

TEST_F(SSWindowTest, DateKeysStepTheWindowsOwnDateOnly)
{
    // Position 5 and 38 hold "d", 38 alone "u", 40 "s", 41 "S"; "z" is nowhere.
    QString shortcuts(42, u'-');
    shortcuts[5] = u'd';
    shortcuts[38] = u'd';
    shortcuts[39] = u'u';
    shortcuts[40] = u's';
    shortcuts[41] = u'S';
    prefs->saveShortcutPref(shortcuts);
    const QDateTime sky = skyDate->skyDate();

    struct Case {
        char character;  // or an arrow key with Option
        Qt::Key arrow;
        double days;
    };
    for (const Case c : {Case{'d', {}, 0.0}, Case{'u', {}, -kDay}, Case{'s', {}, 86160.0 / 86400.0},
                         Case{'S', {}, -86160.0 / 86400.0}, Case{'z', {}, 0.0},
                         Case{0, Qt::Key_Left, -kHour}, Case{0, Qt::Key_Right, kHour}}) {
        const double before = drawer().extraDays();
        const std::size_t recomputes = bodies.recomputes.size();
        if (c.character)
            QTest::keyClick(window.get(), c.character);
        else
            key(c.arrow, Qt::AltModifier);
        EXPECT_NEAR(drawer().extraDays() - before, c.days, 1e-12) << c.character;
        EXPECT_EQ(bodies.recomputes.size(), recomputes + (c.days != 0.0)) << c.character;
    }
    EXPECT_EQ(skyDate->skyDate(), sky);
    // The picker shows the window's date, the sky date one day back.
    EXPECT_EQ(drawer().datePickValue(), sky.addSecs(-86400));
}

TEST_F(SSWindowTest, WheelZoomsAndRotatesOrTiltsAndStepsTheDateWithOption)
{
    // The default panning speed 51 makes a notch 0.765.
    wheel({0, 1});
    EXPECT_NEAR(view().zoom(), 1.0765, 1e-6);
    wheel({0, 1}, Qt::AltModifier);
    EXPECT_NEAR(tiltValue(), 0.765, 1e-5);
    EXPECT_EQ(readout(1), "Angle: 89°");
    wheel({2, 0}, Qt::AltModifier);
    EXPECT_NEAR(drawer().extraDays(), 1.53, 1e-9);
    EXPECT_EQ(bodies.recomputes.size(), 2u);

    // Rotation wraps both ways; zoom and tilt stop at their ends.
    wheel({-1, 0});
    EXPECT_NEAR(rotation(), 360.0 - 0.765, 1e-4);
    wheel({2, 0});
    EXPECT_NEAR(rotation(), 0.765, 1e-4);
    wheel({0, 200});
    EXPECT_EQ(view().zoom(), SSView::kMaxZoom);
    wheel({0, -200});
    EXPECT_EQ(view().zoom(), SSView::kMinZoom);
    wheel({0, 400}, Qt::AltModifier);
    EXPECT_EQ(view().angle(), float(std::numbers::pi / 2));
    EXPECT_EQ(readout(1), "Angle: -90°");
    EXPECT_EQ(readout(2), "Rotate: 1°");
    const QDateTime shown = drawer().datePickValue().toTimeZone(AppTimeZone::zone());
    EXPECT_TRUE(readout(0).startsWith(shown.toString("yyyy-MM-dd HH:mm:ss "))) << readout(0).toStdString();
    EXPECT_EQ(drawer().drawView().ssZoomSlider->value(), 10);
}

TEST_F(SSWindowTest, ShiftOrCtrlWheelTiltsAsAltDoes)
{
    for (const Qt::KeyboardModifier modifier : {Qt::ShiftModifier, Qt::ControlModifier}) {
        const double tilt = tiltValue();
        wheel({0, 1}, modifier);
        EXPECT_NEAR(tiltValue() - tilt, 0.765, 1e-5);
        EXPECT_NEAR(view().zoom(), 1.0, 1e-6);
    }
}

TEST_F(SSWindowTest, TheWheelZoomsAboutThePointer)
{
    window->show();
    view().grab();
    const QPointF sun = view().sunOffset();
    const QPointF pointer(view().width() * 0.75, view().height() * 0.2);
    const QPointF plotPointer(pointer.x(), view().height() - pointer.y());
    wheel({0, 2}, Qt::NoModifier, pointer);
    view().grab();
    const double ratio = std::exp2(double(view().zoom()) - 1.0);
    const QPointF expected = plotPointer + (sun - plotPointer) * ratio;
    EXPECT_NEAR(view().sunOffset().x(), expected.x(), 0.01);
    EXPECT_NEAR(view().sunOffset().y(), expected.y(), 0.01);
}

TEST_F(SSWindowTest, OpensOnTheChartsDateAndTheDrawerKeepsTheSunCentred)
{
    const QDateTime later = skyDate->skyDate().addDays(40);
    skyDate->calculateDate(later, 0.0);
    const std::size_t recomputes = bodies.recomputes.size();
    window->show();
    EXPECT_EQ(bodies.recomputes.size(), recomputes + 1);
    EXPECT_EQ(drawer().datePickValue(), later);
    EXPECT_TRUE(readout(0).startsWith(later.toTimeZone(AppTimeZone::zone()).toString("yyyy-MM-dd")))
        << readout(0).toStdString();

    view().grab();
    const QPointF centre = QRectF(view().rect()).center();
    EXPECT_EQ(view().sunOffset(), centre);
    const int width = view().width();
    view().resize(width - 150, view().height());
    view().grab();
    EXPECT_EQ(view().sunOffset(), QRectF(view().rect()).center());
}

TEST_F(SSWindowTest, DrawerDateControlsSetTheOffsetAndRecompute)
{
    // A date picked 36 h after the sky date.
    drawer().drawView().datePick->setDateTime(skyDate->skyDate().addSecs(36 * 3600));
    EXPECT_DOUBLE_EQ(drawer().extraDays(), 1.5);
    ASSERT_EQ(bodies.recomputes.size(), 1u);
    EXPECT_DOUBLE_EQ(bodies.recomputes.back(), 1.5);

    struct Case {
        int tag;
        double value;
        double step;
    };
    for (const Case c : {Case{4, 1.0, 20}, Case{1, 0.0, -1}, Case{2, 2.0, -5}, Case{3, 1.0, 10},
                         Case{0, 1.0, 0}, Case{5, 1.0, 0}}) {
        const double before = drawer().extraDays();
        drawer().timeControl(c.tag, c.value);
        EXPECT_DOUBLE_EQ(drawer().extraDays() - before, c.step) << c.tag;
    }
    EXPECT_EQ(drawer().datePickValue(), skyDate->skyDate().addSecs(qint64(25.5 * 86400)));

    // The buttons reach the same steps: back then on.
    drawer().drawView().dayButtons[0][0]->click();
    drawer().drawView().dayButtons[3][1]->click();
    EXPECT_DOUBLE_EQ(drawer().extraDays(), 44.5);
}

TEST_F(SSWindowTest, DisclosureButtonOpensTheDrawerSyncedAndSlidersSetThePlot)
{
    window->show();
    drawer().scrollDate(2.0);
    window->ssDrawerDisc().click();
    EXPECT_TRUE(drawer().isVisible());
    EXPECT_EQ(drawer().datePickValue(), skyDate->skyDate().addDays(2));
    EXPECT_DOUBLE_EQ(bodies.recomputes.back(), 2.0);
    window->ssDrawerDisc().click();
    EXPECT_FALSE(drawer().isVisible());
    // Shown from the toolbar or the Window menu: the offset kept, recomputed
    // (the first on the chart's date as the window opened).
    window->updatePositions();
    EXPECT_EQ(bodies.recomputes, (std::vector<double>{0.0, 2.0, 2.0, 2.0}));

    drawer().drawView().ssZoomSlider->setValue(250);
    drawer().drawView().ssAngleSlider->setValue(450);
    drawer().drawView().ssRotateSlider->setValue(1800);
    EXPECT_FLOAT_EQ(view().zoom(), 2.5f);
    EXPECT_NEAR(view().angle(), -std::numbers::pi / 4, 1e-6);
    EXPECT_NEAR(view().rotate(), std::numbers::pi, 1e-6);
    EXPECT_EQ(readout(1), "Angle: 45°");
    EXPECT_EQ(readout(2), "Rotate: 180°");
    drawer().sliderControl(7, 3.0f);
    EXPECT_FLOAT_EQ(view().zoom(), 2.5f);
}

TEST_F(SSWindowTest, OpenDrawerFitsTheWindowWithoutGrowingIt)
{
    window->resize(800, 640);
    window->show();
    window->ssDrawerDisc().click();
    const QSize size = window->size();
    for (int frame = 0; frame < 5; ++frame) {
        view().repaint();
        QApplication::processEvents();
    }
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(window->drawerLimits().top(), 2);
    // A plot 600 px high leaves the drawer 282 px when its controls fit in them.
    window->setDrawerLimits(QRectF(0, 0, 800, 600));
    EXPECT_LE(window->drawerLimits().bottom(), 318);
}

}  // namespace
