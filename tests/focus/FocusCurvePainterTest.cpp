#include "focus/views/FocusCurvePainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 160;

bool isYellow(QRgb p) { return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) < 60; }
bool isGreen(QRgb p) { return qRed(p) < 60 && qGreen(p) > 200 && qBlue(p) < 60; }
bool isBlack(QRgb p) { return qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) == 0; }

QImage render(const FocusCurveData& data, bool integerColumns = false, int width = kWidth)
{
    QImage image(width, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    FocusCurvePainter::paint(painter, QRectF(0, 0, width, kHeight), data, integerColumns);
    return image;
}

template <class Test>
std::vector<QPoint> pixels(const QImage& image, Test test)
{
    std::vector<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y)))
                found.emplace_back(x, y);
    return found;
}

FocusSample sample(int position, double radius)
{
    return {quint16(position), std::numbers::pi * radius * radius, float(radius)};
}

// Area 1100 + K (p - 1200)^2 steps, over x = p / 7000.
FocusCurveData curveAbove1000(std::vector<FocusSample>& store)
{
    for (const int p : {1000, 1100, 1200, 1300, 1400}) {
        const double area = 1100.0 + 0.01 * (p - 1200) * (p - 1200);
        store.push_back(sample(p, std::sqrt(area / std::numbers::pi)));
    }
    const double n = 7000.0;
    const double k = 0.01 * n * n;
    const double x0 = 1200.0 / n;
    return {store, 5, 1, true, true, {1100.0 + k * x0 * x0, -2.0 * k * x0, k}, 0, n};
}

}  // namespace

TEST(FocusCurvePainterTest, NothingMeasuredIsPlainBlack)
{
    std::vector<FocusSample> store(7);
    const QImage empty = render({store, 7, 1, true});
    EXPECT_EQ(pixels(empty, isBlack).size(), size_t(kWidth * kHeight));

    store[0] = sample(100, 2.0);
    const QImage disconnected = render({store, 7, 1, false});
    EXPECT_EQ(pixels(disconnected, isBlack).size(), size_t(kWidth * kHeight));
    EXPECT_FALSE(pixels(render({store, 7, 1, true}), isYellow).empty());
}

TEST(FocusCurvePainterTest, SamplesOfOnePositionStackInItsColumn)
{
    std::vector<FocusSample> store{sample(100, 2.0), sample(100, 3.0), {}, {}, {}, {}};
    const auto yellow = pixels(render({store, 3, 2, true}), isYellow);
    ASSERT_FALSE(yellow.empty());
    // Column 1 of 3 at w / 4 = 60; the largest circle has radius 5.
    bool low = false, high = false;
    for (const QPoint& p : yellow) {
        EXPECT_NEAR(p.x(), 60, 6);
        low = low || p.y() > kHeight - 10 - 5;         // the smaller radius, 10 up
        high = high || p.y() < kHeight - 138 + 6;      // the larger, 10 + 0.8 h up
    }
    EXPECT_TRUE(low);
    EXPECT_TRUE(high);
}

TEST(FocusCurvePainterTest, EqualRadiiDrawCirclesOfDiameterTenOnAScaleFromZero)
{
    std::vector<FocusSample> store{sample(100, 2.5), sample(200, 2.5), sample(300, 2.5)};
    const auto yellow = pixels(render({store, 3, 1, true}), isYellow);
    int left = kWidth, right = 0, top = kHeight, bottom = 0;
    for (const QPoint& p : yellow) {
        if (p.x() < 90) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
        }
    }
    EXPECT_NEAR(right - left, 10, 1);
    EXPECT_NEAR(bottom - top, 10, 1);
    // r scaled from 0: (2.5 - 0) * 0.8 h / 2.5 + 10 = 138 up.
    EXPECT_NEAR((top + bottom) / 2.0, kHeight - 138, 1.5);
    // No curve over equal areas even once fitted.
    EXPECT_TRUE(pixels(render({store, 3, 1, true, true, {1, 2, 3}, 200, 7000}), isGreen).empty());
}

TEST(FocusCurvePainterTest, TheAreaScaleStartsAt1000AtMost)
{
    std::vector<FocusSample> store;
    const auto green = pixels(render(curveAbove1000(store)), isGreen);
    ASSERT_FALSE(green.empty());
    int lowest = 0;
    for (const QPoint& p : green)
        lowest = std::max(lowest, p.y());
    // The curve's minimum 1100: (1100 - 1000) * 0.8 h / (1500 - 1000) + 10 = 35.6 up.
    EXPECT_NEAR(lowest, kHeight - 35.6, 2.0);
}

TEST(FocusCurvePainterTest, TheCurveRunsBetweenTheColumnsAndTheLineMarksTheBestFocus)
{
    std::vector<FocusSample> store;
    FocusCurveData data = curveAbove1000(store);
    data.bestFocus = 1200;
    const auto green = pixels(render(data), isGreen);
    // xs = 40; 40 segments of 4 points from x = 40; dp = 10 steps; the
    // line at 40 + 200 * 4 / 10 = 120 from 2 to h - 2 up.
    int left = kWidth, right = 0, onLine = 0;
    for (const QPoint& p : green) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        if (p.x() == 120)
            ++onLine;
    }
    EXPECT_NEAR(left, 40, 1);
    EXPECT_NEAR(right, 200, 1);
    EXPECT_GE(onLine, kHeight - 6);

    // One position only: no curve and no line.
    std::vector<FocusSample> one{sample(500, 20), sample(500, 21), sample(500, 22)};
    EXPECT_TRUE(pixels(render({one, 1, 3, true, true, data.coeff, 500, 7000}), isGreen).empty());
}

TEST(FocusCurvePainterTest, ABestFocusFarOutsideTheSweepDrawsNoLineAndConvertsNothingOutOfRange)
{
    // A sweep of 4 steps: 40 segments of a tenth of a step each.
    std::vector<FocusSample> store;
    for (const int p : {1000, 1001, 1002, 1003, 1004})
        store.push_back(sample(p, 10.0 + std::abs(p - 1002)));
    FocusCurveData data{store, 5, 1, true, true, {400.0, -1.0, 1.0}, 65535, 7000.0};
    int onLine = 0;
    for (const QPoint& p : pixels(render(data), isGreen))
        onLine += p.x() >= 239 ? 1 : 0;
    EXPECT_EQ(onLine, 0);
}

TEST(FocusCurvePainterTest, IntegerColumnsForTheMoonLitePlot)
{
    std::vector<FocusSample> store;
    for (int j = 0; j < 6; ++j)
        store.push_back(sample(100 * j, 2.5));
    auto centre = [&](bool integer) {
        int left = 1000, right = 0;
        for (const QPoint& p : pixels(render({store, 6, 1, true}, integer, 250), isYellow)) {
            if (p.x() > 190) {
                left = std::min(left, p.x());
                right = std::max(right, p.x());
            }
        }
        return (left + right) / 2.0;
    };
    // The sixth column: 6 x 250 / 7 = 214.3, or 6 x 35 = 210.
    EXPECT_NEAR(centre(false), 214.3, 1.0);
    EXPECT_NEAR(centre(true), 210.0, 1.0);
}
