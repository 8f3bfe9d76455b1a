#include "remote/IncomingFrames.h"

#include <gtest/gtest.h>

#include <QtEndian>

namespace {

QByteArray word(quint32 size)
{
    char w[4];
    qToLittleEndian(size, w);
    return QByteArray(w, 4);
}

}  // namespace

TEST(IncomingFrames, AcknowledgesEachStepOnlyOnceWritten)
{
    IncomingFrames frames;
    ASSERT_TRUE(frames.receive(word(3)));
    EXPECT_EQ(frames.state(), IncomingFrames::SIZERECEIVED);
    EXPECT_EQ(frames.owedAcknowledgement(), IncomingFrames::kSizeAcknowledge);
    ASSERT_TRUE(frames.receive("ab"));
    EXPECT_FALSE(frames.takeBody()) << "no body before its acknowledgement is out";
    ASSERT_TRUE(frames.acknowledgementWritten());
    EXPECT_EQ(frames.state(), IncomingFrames::SIZEACKOWLEDGED);
    ASSERT_TRUE(frames.receive("c"));
    EXPECT_EQ(frames.state(), IncomingFrames::DATARECEIVED);
    EXPECT_EQ(frames.takeBody(), QByteArray("abc"));
    EXPECT_EQ(frames.owedAcknowledgement(), IncomingFrames::kDataAcknowledge);
    ASSERT_TRUE(frames.acknowledgementWritten());
    EXPECT_TRUE(frames.isBetweenMessages());
}

TEST(IncomingFrames, KeepsBytesThatArriveWithTheLengthOrAfterTheBody)
{
    IncomingFrames frames;
    ASSERT_TRUE(frames.receive(word(2) + "xy" + word(1) + "z"));
    ASSERT_TRUE(frames.acknowledgementWritten());
    EXPECT_EQ(frames.takeBody(), QByteArray("xy"));
    ASSERT_TRUE(frames.acknowledgementWritten());
    EXPECT_EQ(frames.state(), IncomingFrames::SIZERECEIVED);
    EXPECT_EQ(frames.dictionaryDataSize(), 1u);
    ASSERT_TRUE(frames.acknowledgementWritten());
    EXPECT_EQ(frames.takeBody(), QByteArray("z"));
}

TEST(IncomingFrames, LengthsOverTheCapCloseBeforeAnythingIsAllocated)
{
    IncomingFrames frames;
    EXPECT_FALSE(frames.receive(word(0xFFFFFFFF)));
    IncomingFrames atCap;
    EXPECT_TRUE(atCap.receive(word(IncomingFrames::kMaxBody)));
    IncomingFrames overCap;
    EXPECT_FALSE(overCap.receive(word(IncomingFrames::kMaxBody + 1)));
}

TEST(IncomingFrames, TooMuchWaitingClosesTheLink)
{
    IncomingFrames frames;
    ASSERT_TRUE(frames.receive(word(4)));
    // The peer floods without waiting for 0x11.
    EXPECT_FALSE(frames.receive(QByteArray(IncomingFrames::kMaxBuffered + 1, 'x')));
}

TEST(IncomingFrames, AnEmptyBodyIsStillAcknowledged)
{
    IncomingFrames frames;
    ASSERT_TRUE(frames.receive(word(0)));
    ASSERT_TRUE(frames.acknowledgementWritten());
    EXPECT_EQ(frames.takeBody(), QByteArray());
    EXPECT_EQ(frames.owedAcknowledgement(), IncomingFrames::kDataAcknowledge);
}

TEST(IncomingFrames, StateNamesAreSpeltAsDiagnosticsExpect)
{
    EXPECT_STREQ(IncomingFrames::stateString(IncomingFrames::SIZEACKOWLEDGED), "SIZEACKOWLEDGED");
    EXPECT_STREQ(IncomingFrames::stateString(IncomingFrames::DATAACKOWLEDGED), "DATAACKOWLEDGED");
    EXPECT_STREQ(IncomingFrames::stateString(99), "UNKNOWN");
}
