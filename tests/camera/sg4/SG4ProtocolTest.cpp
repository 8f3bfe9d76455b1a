#include "camera/sg4/SG4Protocol.h"
#include "camera/sg4/SG4ReportCollector.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace SG4Protocol;

TEST(SG4Protocol, ChecksumsOfBareLettersMatchTheDevice)
{
    EXPECT_EQ(checksum("E"), 0x3A);
    EXPECT_EQ(checksum("V"), 0x29);
    EXPECT_EQ(checksum("X"), 0x27);
    EXPECT_EQ(frame(kTestCom), QByteArray("\x45\x3A", 2));
    // Data bytes fold in after the letter; the sum stays 7-bit.
    const QByteArray relays = frame(kForceRelays, QByteArray(1, char(0x84)));
    EXPECT_EQ(relays.size(), 3);
    EXPECT_EQ(quint8(relays.back()), foldChecksum(foldChecksum(0, 'g'), 0x84));
    EXPECT_LT(quint8(relays.back()), 0x80);
}

TEST(SG4Protocol, ExposureTimesAreHundredMicrosecondCountsWithinRange)
{
    EXPECT_EQ(exposureBytes(1.5f), QByteArray("\x00\x3A\x98", 3));
    EXPECT_EQ(exposureBytes(0.0f), QByteArray(3, '\0'));
    EXPECT_EQ(exposureBytes(655.35f), QByteArray("\x63\xFF\x9C", 3));
    EXPECT_FALSE(exposureBytes(655.36f));
    EXPECT_FALSE(exposureBytes(-0.001f));
}

TEST(SG4Protocol, VersionRelaysAndSpeeds)
{
    EXPECT_EQ(versionText(0x82, 5), "T2.5");
    EXPECT_EQ(versionText(0x03, 14), "V3.14");
    EXPECT_EQ(relayBits(1, 0), kRelayXPlus);
    EXPECT_EQ(relayBits(-1, -1), kRelayXMinus | kRelayYMinus);
    EXPECT_EQ(relayBits(0, 1), kRelayYPlus);
    EXPECT_EQ(relayBits(0, 0), 0);
    EXPECT_EQ(speedCode(9600), '0');
    EXPECT_EQ(speedCode(460800), '6');
    EXPECT_FALSE(speedCode(4800));
}

TEST(SG4Protocol, ReadoutModesGiveTheirBlocks)
{
    const auto full = readoutGeometry(kMode1X1, 0).value();
    EXPECT_EQ(full.blocks * full.blockBytes, 640 * 480 * 2);
    EXPECT_EQ(full.blocks, 75);
    const auto crop = readoutGeometry(kModeCrop, 0).value();
    EXPECT_EQ(crop.blocks * crop.blockBytes, 512 * 480 * 2);
    const auto binned = readoutGeometry(kMode2X2, 0).value();
    EXPECT_EQ(binned.blockBytes, 2048);
    const auto sub = readoutGeometry(kModeSubFrame, 10).value();
    EXPECT_EQ(sub.blocks, 10);
    EXPECT_EQ(sub.blockBytes + 1, 21);
    EXPECT_FALSE(readoutGeometry(kModeSubFrame, 0));
    EXPECT_FALSE(readoutGeometry(3, 10));
}

TEST(SG4Protocol, BlocksDecodeLowByteFirstWhileSummingThem)
{
    const char data[] = {0x34, 0x12, char(0xFF), 0x00, 0x01, char(0x80)};
    std::array<quint16, 3> pixels{};
    const quint8 sum = decodeBlock(std::span(data, 6), pixels);
    EXPECT_EQ(pixels[0], 0x1234);
    EXPECT_EQ(pixels[1], 0x00FF);
    EXPECT_EQ(pixels[2], 0x8001);
    EXPECT_EQ(sum, quint8(0x34 ^ 0x12 ^ 0xFF ^ 0x00 ^ 0x01 ^ 0x80));
}

TEST(SG4ReportCollector, ALongReportStaysInItsBufferAndItsEndIsSeen)
{
    // 6000 bytes in reads of up to 1500, the end mark last.
    QByteArray report(6000, 'a');
    report.replace(10, 6, "Vector");
    report[5999] = kReportEnd;
    qsizetype sent = 0;
    const SG4ReportCollector::Reader reader = [&](std::span<char> into) -> long {
        if (into.size() <= 500)
            return -1;
        const qsizetype n = std::min<qsizetype>({1500, qsizetype(into.size()), report.size() - sent});
        std::memcpy(into.data(), report.constData() + sent, std::size_t(n));
        sent += n;
        return long(n);
    };
    SG4ReportCollector collector;
    bool ended = false;
    for (int read = 0; read < 20 && !ended; ++read)
        ended = collector.collect(reader).ended;
    EXPECT_TRUE(ended);
    EXPECT_EQ(sent, 6000);
    EXPECT_EQ(collector.totalCount(), 6000u);
    EXPECT_LE(collector.text().size(), SG4ReportCollector::kSize);
    EXPECT_TRUE(collector.text().contains("Vector"));
}
