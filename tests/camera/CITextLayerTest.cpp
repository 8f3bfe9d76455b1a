#include "camera/webcam/CITextLayer.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>
#include <QTimeZone>

#include <cmath>

TEST(CITextLayer, FormatsUtcWithMilliseconds)
{
    const QDateTime moment(QDate(2024, 3, 9), QTime(4, 5, 6, 78), QTimeZone(3600));
    EXPECT_EQ(CITextLayer::format(moment), "03/09/2024 03:05:06.078");
}

TEST(CITextLayer, TheImageFitsTheTextWithItsMarginAndTheTextSitsBottomLeft)
{
    const QDateTime moment(QDate(2024, 12, 31), QTime(23, 59, 59, 999), QTimeZone::utc());
    CITextLayer layer([&] { return moment; });
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(10);
    const QFontMetricsF metrics(font);
    EXPECT_EQ(layer.width(), int(std::floor(metrics.horizontalAdvance("12/31/2024 23:59:59.999") + 10)));
    EXPECT_EQ(layer.height(), int(std::floor(2 * metrics.height())));

    const QImage& image = layer.renderText();
    EXPECT_EQ(layer.text(), "12/31/2024 23:59:59.999");
    int lit = 0, top = image.height(), maxAlpha = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const int a = qAlpha(image.pixel(x, y)); a > 0) {
                ++lit;
                top = std::min(top, y);
                maxAlpha = std::max(maxAlpha, a);
                ASSERT_GE(x, 9);
                ASSERT_LT(y, image.height() - 10 + 4);  // descenders only below the baseline
            }
    EXPECT_GT(lit, 50);
    EXPECT_GT(top, 0);
    EXPECT_NEAR(maxAlpha, 191, 2);  // white at 75 %
    // The next call draws afresh, not over the last text.
    EXPECT_EQ(&layer.renderText(), &image);
}
