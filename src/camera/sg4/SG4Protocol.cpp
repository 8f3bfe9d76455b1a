#include "camera/sg4/SG4Protocol.h"

#include <cmath>

namespace SG4Protocol {

namespace {

constexpr int kFullBlocks = 75;
constexpr int kCropBlocks = 60;
constexpr int kLargeBlock = 8192;
constexpr int kSmallBlock = 2048;
constexpr int kCropWidth = 512;

}  // namespace

quint8 foldChecksum(quint8 checksum, quint8 byte)
{
    return quint8(~(byte ^ checksum) & 0x7F);
}

quint8 checksum(QByteArrayView bytes)
{
    quint8 sum = 0;
    for (const char byte : bytes)
        sum = foldChecksum(sum, quint8(byte));
    return sum;
}

bool isProgressByte(char byte)
{
    return byte == kProgressExposing || byte == kProgressReading;
}

qsizetype progressAhead(QByteArrayView reply, char echo)
{
    qsizetype ahead = 0;
    while (ahead < reply.size() && reply[ahead] != echo && isProgressByte(reply[ahead]))
        ++ahead;
    return ahead;
}

QByteArray frame(char letter, QByteArrayView data)
{
    QByteArray bytes(1, letter);
    bytes.append(data);
    bytes.append(char(checksum(bytes)));
    return bytes;
}

QByteArray bigEndian16(quint16 value)
{
    return QByteArray{} + char(value >> 8) + char(value & 0xFF);
}

std::optional<QByteArray> exposureBytes(float seconds)
{
    if (!(seconds >= 0.0f && seconds < kLongestExposure))
        return std::nullopt;
    const auto units = quint32(std::lround(double(seconds) * kExposureUnitsPerSecond));
    return QByteArray{} + char(units >> 16) + char((units >> 8) & 0xFF) + char(units & 0xFF);
}

QString versionText(quint8 major, quint8 minor)
{
    return QString("%1%2.%3").arg((major & 0x80) ? "T" : "V").arg(major & 0x7F).arg(minor);
}

quint8 relayBits(int x, int y)
{
    quint8 bits = 0;
    if (x == 1)
        bits |= kRelayXPlus;
    else if (x == -1)
        bits |= kRelayXMinus;
    if (y == 1)
        bits |= kRelayYPlus;
    else if (y == -1)
        bits |= kRelayYMinus;
    return bits;
}

std::optional<char> speedCode(long baud)
{
    for (std::size_t i = 0; i < kSpeeds.size(); ++i) {
        if (kSpeeds[i] == baud)
            return char('0' + i);
    }
    return std::nullopt;
}

std::optional<ReadoutGeometry> readoutGeometry(quint8 mode, quint8 subFrameSide)
{
    switch (mode) {
    case kMode1X1:
        return ReadoutGeometry{kFullWidth, kFullHeight, kFullBlocks, kLargeBlock};
    case kModeCrop:
        return ReadoutGeometry{kCropWidth, kFullHeight, kCropBlocks, kLargeBlock};
    case kMode2X2:
        return ReadoutGeometry{kFullWidth / 2, kFullHeight / 2, kFullBlocks, kSmallBlock};
    case kModeSubFrame:
        if (subFrameSide == 0)
            return std::nullopt;
        return ReadoutGeometry{subFrameSide, subFrameSide, subFrameSide, 2 * subFrameSide};
    default:
        return std::nullopt;
    }
}

quint8 decodeBlock(std::span<const char> data, std::span<quint16> pixels)
{
    quint8 sum = 0;
    const std::size_t count = std::min(data.size() / 2, pixels.size());
    for (std::size_t i = 0; i < count; ++i) {
        const auto low = quint8(data[2 * i]);
        const auto high = quint8(data[2 * i + 1]);
        sum ^= low ^ high;
        pixels[i] = quint16(low | (high << 8));
    }
    return sum;
}

}  // namespace SG4Protocol
