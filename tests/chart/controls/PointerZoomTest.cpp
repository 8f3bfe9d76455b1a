#include "chart/controls/PointerZoom.h"

#include "model/Angles.h"
#include "model/SkyCoordinates.h"
#include "model/projection/ViewScale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QRectF kSky(0.0, 0.0, 1000.0, 700.0);
const SkyCoordinates::Site kSite{0.0, 0.0};

SkyCoordinates::View chartView(ViewDirection view, double field)
{
    return {view.altitude, view.azimuth, ViewScale::compute(kSky, field)->radius, float(kSky.width()),
            float(kSky.height())};
}

}  // namespace

// The sky under the pointer, projected again after each notch, stays under it.
TEST(PointerZoom, TheSkyUnderThePointerStaysThereOverManyNotches)
{
    const struct {
        const char* name;
        ViewDirection view;
        QPointF pointer;  // chart coordinates, y up
        double perNotch;
    } cases[] = {
        {"in, upper right", {200.0, 40.0}, {850.0, 600.0}, 1.0 / 1.12},
        {"in, lower left", {200.0, 40.0}, {120.0, 90.0}, 1.0 / 1.12},
        {"in, across north", {350.0, 25.0}, {900.0, 200.0}, 1.0 / 1.12},
        {"out, upper left", {120.0, 20.0}, {200.0, 500.0}, 1.12},
    };
    for (const auto& c : cases) {
        double field = c.perNotch < 1.0 ? 120.0 : 8.0;
        ViewDirection view = c.view;
        const FloatPoint pointer{float(c.pointer.x()), float(c.pointer.y())};
        const auto sky = SkyCoordinates::calculateCursorPosition(pointer, chartView(view, field), kSite);
        ASSERT_TRUE(sky) << c.name;
        for (int notch = 0; notch < 25; ++notch) {
            const double newField = std::clamp(field * c.perNotch, 5.0, 180.0);
            view = zoomAboutPoint(view, c.pointer, kSky, field, newField, false);
            field = newField;
        }
        const FloatPoint now = SkyCoordinates::CalculateAzPoint(sky->az * Angles::kDegToRad,
                                                                sky->alt * Angles::kDegToRad, chartView(view, field));
        EXPECT_LT(std::hypot(now.x - pointer.x, now.y - pointer.y), 1.0)
            << c.name << ": at " << now.x << ", " << now.y << " with field " << field;
    }
}

// Where the view centre cannot follow (the horizon holds it), it stops there.
TEST(PointerZoom, APointerOffTheSkyOrBelowTheHorizonKeepsTheViewInRange)
{
    const ViewDirection view{180.0, 10.0};
    const ViewDirection moved = zoomAboutPoint(view, {500.0, 5.0}, kSky, 120.0, 30.0, false);
    EXPECT_GE(moved.altitude, 0.0);
    EXPECT_EQ(zoomAboutPoint(view, {500.0, 350.0}, QRectF(), 120.0, 30.0, false).altitude, view.altitude);
}
