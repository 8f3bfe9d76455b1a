#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <span>

// The SG-4 guider's and AllSky camera's serial command set: a letter, its
// data bytes (numbers most significant byte first) and a 7-bit checksum,
// which the device's reply echoes first. Built and parsed here only.
namespace SG4Protocol {

constexpr char kTestCom = 'E';
constexpr char kGetVersion = 'V';
constexpr char kSetBaudRate = 'B';
constexpr char kOpenShutter = 'O';
constexpr char kCloseShutter = 'C';
constexpr char kDeEnergizeMotor = 'K';
constexpr char kActivateRelays = 'G';
constexpr char kForceRelays = 'g';
constexpr char kSetMaxMove = 'M';
constexpr char kGetMaxMove = 'm';
constexpr char kSetMinMove = 'N';
constexpr char kGetMinMove = 'n';
constexpr char kSetXAggressive = 'Z';
constexpr char kGetXAggressive = 'z';
constexpr char kSetYAggressive = 'Y';
constexpr char kGetYAggressive = 'y';
constexpr char kDefineSubFrame = 'S';
constexpr char kTakeImage = 'T';
constexpr char kAbortImage = 'A';
constexpr char kTransferImage = 'X';
constexpr char kCalibrateGuider = 'H';
constexpr char kStartGuider = 'I';

// The host's answers to an image block.
constexpr char kBlockGood = 'K';
constexpr char kBlockRepeat = 'R';
constexpr char kBlockStop = 'S';
// The progress bytes the camera sends unasked, about every 150 ms, while it
// exposes or reads out; they belong to no command's reply.
constexpr char kProgressExposing = 'E';
constexpr char kProgressReading = 'R';
// A single 'D' tells that an exposure ended.
constexpr char kExposureDone = 'D';
// The calibration report's end mark.
constexpr char kReportEnd = 0x1A;
// The speed change's handshake.
constexpr char kSpeedTest[] = "Test";
constexpr char kSpeedConfirm = 'k';

// The speeds, in the order of their codes '0'..'6' and of the connection's scan.
constexpr std::array<long, 7> kSpeeds = {9600, 19200, 38400, 57600, 115200, 230400, 460800};

// Relay direction bits of 'G' and 'g'.
constexpr quint8 kRelayXPlus = 0x01;
constexpr quint8 kRelayXMinus = 0x02;
constexpr quint8 kRelayYPlus = 0x04;
constexpr quint8 kRelayYMinus = 0x08;

// Exposures from 0 up to (not including) this many seconds.
constexpr float kLongestExposure = 655.36f;
constexpr int kExposureUnitsPerSecond = 10000;   // 100 microseconds
constexpr quint8 kSubFrameMostSide = 127;
constexpr quint8 kAggressiveMost = 255;
// A gain setting ('Z', 'Y') is answered by its echo and 'K'.
constexpr quint16 kGainReply = 2;

// Read-out modes.
constexpr quint8 kMode1X1 = 0;
constexpr quint8 kModeCrop = 1;
constexpr quint8 kMode2X2 = 2;
constexpr quint8 kModeSubFrame = 255;
constexpr int kFullWidth = 640;
constexpr int kFullHeight = 480;

// Image types.
constexpr quint8 kTypeDark = 0;
constexpr quint8 kTypeLight = 1;
constexpr quint8 kTypeAuto = 2;

// checksum = (NOT (byte XOR checksum)) AND 0x7F.
quint8 foldChecksum(quint8 checksum, quint8 byte);
quint8 checksum(QByteArrayView bytes);
bool isProgressByte(char byte);
// How many progress bytes stand ahead of a reply that starts with `echo`.
qsizetype progressAhead(QByteArrayView reply, char echo);

// The letter, its data and their checksum.
QByteArray frame(char letter, QByteArrayView data = {});
QByteArray bigEndian16(quint16 value);

// The exposure as three bytes of 100-microsecond units, most significant
// first; none outside 0 <= seconds < 655.36.
std::optional<QByteArray> exposureBytes(float seconds);

// "T" (bit 7 of `major` set) or "V", the major number without that bit, ".", the minor.
QString versionText(quint8 major, quint8 minor);

// The bits of signed unit steps: x +1/-1 X plus/minus, y likewise; 0 sets none.
quint8 relayBits(int x, int y);

// The speed code '0'..'6'; none for another speed.
std::optional<char> speedCode(long baud);

// How a read-out mode's image arrives: its size and its blocks, each of
// `blockBytes` data bytes followed by one checksum byte.
struct ReadoutGeometry {
    int width;
    int height;
    int blocks;
    int blockBytes;
};
// None for an unknown mode, or the sub-frame mode without a side.
std::optional<ReadoutGeometry> readoutGeometry(quint8 mode, quint8 subFrameSide);

// Stores a block's data bytes as pixels (pairs, low byte first) into
// `pixels`, which holds half as many values, and gives the XOR of the bytes:
// one pass for both.
quint8 decodeBlock(std::span<const char> data, std::span<quint16> pixels);

}  // namespace SG4Protocol
