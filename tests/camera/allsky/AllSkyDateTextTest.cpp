#include "camera/allsky/AllSkyDateText.h"
#include "platform/AppTimeZone.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

const QDateTime kMoment(QDate(2026, 12, 7), QTime(3, 4, 5), QTimeZone::utc());

TEST(AllSkyDateText, CornersAreTenPixelsInFromTheEdges)
{
    EXPECT_EQ(AllSkyDateText::textOrigin(0, 200, 30), QPoint(10, 450));
    EXPECT_EQ(AllSkyDateText::textOrigin(1, 200, 30), QPoint(10, 10));
    EXPECT_EQ(AllSkyDateText::textOrigin(2, 200, 30), QPoint(430, 450));
    EXPECT_EQ(AllSkyDateText::textOrigin(3, 200, 30), QPoint(430, 10));
}

TEST(AllSkyDateText, FourFormats)
{
    AllSkyDateText stamp;
    EXPECT_EQ(stamp.text(kMoment), "UTC: 12/07/2026 03:04:05");
    stamp.setIsSec(false);
    EXPECT_EQ(stamp.text(kMoment), "UTC: 12/07/2026 03:04");
    // Local time is the program's zone, which follows the site.
    const QTimeZone before = AppTimeZone::zone();
    AppTimeZone::setZone(QTimeZone("America/New_York"));
    stamp.setIsUTC(false);
    EXPECT_EQ(stamp.text(kMoment), "12/06/2026 22:04");
    stamp.setIsSec(true);
    EXPECT_EQ(stamp.text(kMoment), "12/06/2026 22:04:05");
    AppTimeZone::setZone(before);
}

TEST(AllSkyDateText, LayerHoldsTheTextInItsCornerOnlyWhileOn)
{
    AllSkyDateText stamp;
    stamp.setup(QFont(QStringLiteral("Sans"), 12), Qt::white, kMoment);
    EXPECT_EQ(stamp.render(kMoment), nullptr);
    stamp.setIsText(true);
    stamp.setCorner(3);
    const QImage* layer = stamp.render(kMoment);
    ASSERT_NE(layer, nullptr);
    ASSERT_EQ(layer->size(), QSize(640, 480));
    EXPECT_GT(stamp.boxWidth(), 10);
    // Something is drawn in the bottom-right box and nothing at the top left.
    int bottomRight = 0, topLeft = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            if (qAlpha(layer->pixel(x, y)) == 0)
                continue;
            (x >= 630 - stamp.boxWidth() && y >= 480 - 10 - stamp.boxHeight() ? bottomRight : topLeft)++;
        }
    EXPECT_GT(bottomRight, 0);
    EXPECT_EQ(topLeft, 0);
}

}  // namespace
