#include "platform/DisplayGamma.h"

#include <QCoreApplication>
#include <QVariant>

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DisplayGammaRamp, FollowsTheTransferFormula)
{
    // Night vision's red channel: 0.6 * x^0.72.
    const auto ramp = DisplayGamma::rampFromFormula(0.0f, 0.6f, 0.72f, 256);
    ASSERT_EQ(ramp.size(), 256u);
    EXPECT_EQ(ramp[0], 0);
    EXPECT_EQ(ramp[255], quint16(std::lround(0.6 * 65535)));
    EXPECT_EQ(ramp[128], quint16(std::lround(0.6 * std::pow(128.0 / 255.0, 0.72) * 65535)));
    // Its green channel is dark throughout.
    const auto green = DisplayGamma::rampFromFormula(0.0f, 0.0f, 0.71f, 256);
    EXPECT_TRUE(std::all_of(green.begin(), green.end(), [](quint16 v) { return v == 0; }));
    EXPECT_TRUE(DisplayGamma::rampFromFormula(0.0f, 1.0f, 1.0f, 0).empty());
}

TEST(DisplayGammaRamp, FormulaIsRecoveredFromItsRampAndFlatOrTinyRampsReadAsIdentity)
{
    const auto ramp = DisplayGamma::rampFromFormula(0.1f, 0.9f, 2.2f, 1024);
    const auto formula = DisplayGamma::formulaFromRamp(ramp.data(), int(ramp.size()));
    EXPECT_NEAR(formula[0], 0.1f, 1e-4);
    EXPECT_NEAR(formula[1], 0.9f, 1e-4);
    EXPECT_NEAR(formula[2], 2.2f, 1e-2);

    const std::vector<quint16> flat(256, 0);
    EXPECT_EQ(DisplayGamma::formulaFromRamp(flat.data(), 256), (std::array<float, 3>{0.0f, 1.0f, 1.0f}));
    EXPECT_EQ(DisplayGamma::formulaFromRamp(nullptr, 0), (std::array<float, 3>{0.0f, 1.0f, 1.0f}));
}

TEST(DisplayGammaNoDisplay, OffscreenPlatformOrUnreachableXDisplayGetsTheNoOp)
{
    qApp->setProperty("platformName", QStringLiteral("offscreen"));
    const auto gamma = DisplayGamma::create();
    qApp->setProperty("platformName", QVariant());
    EXPECT_EQ(gamma->displayID(), 0u);
    EXPECT_EQ(gamma->defaultFormula(), (GammaFormula{0, 1, 1, 0, 1, 1, 0, 1, 1}));
    EXPECT_FALSE(gamma->setFormula({0, 0.6f, 0.72f, 0, 0, 0.71f, 0, 0, 0.78f}));
    EXPECT_FALSE(gamma->restoreDefault());

    const auto unreachable = DisplayGamma::openX11(":4999");
    EXPECT_EQ(unreachable->displayID(), 0u);
    EXPECT_FALSE(unreachable->setFormula({}));
}

}  // namespace
