#include "MountFixture.h"

#include <gtest/gtest.h>

#include <optional>

using PositionReadTest = MountFixture;

// A command whose end brings a position update without reading one (as a
// stop that only learnt the goto had ended) does not answer a read asked
// meanwhile: the read answers with the position a poll of its own read.
TEST_F(PositionReadTest, AReadAnswersWithAPositionReadAfterItWasAsked)
{
    connectScope();
    ASSERT_NEAR(scope->status().scopeRA, 1.0, 1e-9);
    family->ra = 2.0;

    constexpr int kSlewSpeed = 10;
    scope->lx200Command(kSlewSpeed);
    std::optional<bool> answered;
    double raAnswered = 0.0;
    scope->readScopePosition([&](bool read) {
        answered = read;
        raAnswered = scope->status().scopeRA;
    }, std::chrono::milliseconds(kWorkerWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered.has_value(); }, kWorkerWaitMs));
    EXPECT_EQ(family->count(QString("run %1").arg(kSlewSpeed)), 1);
    EXPECT_TRUE(*answered);
    EXPECT_NEAR(raAnswered, 2.0, 1e-9);
}

TEST_F(PositionReadTest, AReadWhosePollFailsAnswersFalse)
{
    connectScope();
    family->answers = false;
    std::optional<bool> answered;
    scope->readScopePosition([&](bool read) { answered = read; }, std::chrono::milliseconds(kWorkerWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered.has_value(); }, kWorkerWaitMs));
    EXPECT_FALSE(*answered);
}
