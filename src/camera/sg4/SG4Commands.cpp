#include "camera/sg4/SG4Control.h"

#include "camera/sg4/SG4GuiderPanel.h"
#include "mount/SerialControl.h"
#include "mount/TransactionDump.h"

#include <QTimeZone>

using namespace SG4Protocol;

namespace {

// The speed change's "Test" is answered by at least this many bytes.
constexpr quint16 kSpeedTestReply = 6;

}  // namespace

SG4Control::Reply SG4Control::exchange(const char* name, char letter, QByteArrayView data,
                                       quint16 replyLength, bool readToSilence)
{
    m_debug(QString("SG-4 %1").arg(name));
    const QByteArray command = frame(letter, data);
    Reply reply;
    reply.count = qint32(command.size());
    const ReplyEnd end = readToSilence ? ReplyEnd{} : ReplyEnd::length(replyLength);
    reply.ok = m_serial.transaction(replyLength, reply.count, command.constData(), reply.bytes,
                                    kSerialSlotSG4, end);
    if (!reply.ok) {
        m_debug(QString("SG-4 %1: transaction error %2").arg(name).arg(reply.count));
        if (reply.count > 0)
            transactionDump(reply);
        return reply;
    }
    if (replyLength > 0 && reply.bytes[0] != command.back()) {
        m_debug(QString("SG-4 %1: checksum error").arg(name));
        transactionDump(reply);
        reply.ok = false;
    }
    return reply;
}

void SG4Control::transactionDump(const Reply& reply) const
{
    m_debug([&] { return ::transactionDump(QByteArrayView(reply.bytes.data(), std::max(reply.count, 0))); });
}

bool SG4Control::sg4TestComCmd()
{
    const Reply reply = exchange("sg4TestComCmd", kTestCom, {}, 2);
    return reply.ok && reply.bytes[1] == 'O';
}

bool SG4Control::sg4OpenShutterCmd() { return exchange("sg4OpenShutterCmd", kOpenShutter, {}, 1).ok; }
bool SG4Control::sg4CloseShutterCmd() { return exchange("sg4CloseShutterCmd", kCloseShutter, {}, 1).ok; }
bool SG4Control::sg4DeEnergizeMotorCmd() { return exchange("sg4DeEnergizeMotorCmd", kDeEnergizeMotor, {}, 1).ok; }
bool SG4Control::sg4AbortImageCmd() { return exchange("sg4AbortImageCmd", kAbortImage, {}, 1).ok; }
bool SG4Control::sg4CalibrateGuiderCmd() { return exchange("sg4CalibrateGuiderCmd", kCalibrateGuider, {}, 1).ok; }
bool SG4Control::sg4StartGuiderCmd() { return exchange("sg4StartGuiderCmd", kStartGuider, {}, 1).ok; }

bool SG4Control::sg4GetVersionCmd()
{
    const Reply reply = exchange("sg4GetVersionCmd", kGetVersion, {}, 3);
    if (reply.ok)
        m_versionStr = versionText(quint8(reply.bytes[1]), quint8(reply.bytes[2]));
    return reply.ok;
}

bool SG4Control::sg4ActivateRelaysCmd(int x, int y, quint16 duration)
{
    const QByteArray data = QByteArray(1, char(relayBits(x, y))) + bigEndian16(duration);
    return exchange("sg4ActivateRelaysCmd", kActivateRelays, data, 1).ok;
}

bool SG4Control::sg4ForceRelaysCmd(int x, int y)
{
    m_debug(QString("sg4ForceRelaysCmd X: %1, Y: %2").arg(x).arg(y));
    return exchange("sg4ForceRelaysCmd", kForceRelays, QByteArray(1, char(relayBits(x, y))), 1).ok;
}

bool SG4Control::sg4SetMaxMoveCmd(quint16 move)
{
    return exchange("sg4SetMaxMoveCmd", kSetMaxMove, bigEndian16(move), 1).ok;
}

bool SG4Control::sg4SetMinMoveCmd(quint16 move)
{
    return exchange("sg4SetMinMoveCmd", kSetMinMove, bigEndian16(move), 1).ok;
}

bool SG4Control::sg4GetMaxMoveCmd()
{
    const Reply reply = exchange("sg4GetMaxMoveCmd", kGetMaxMove, {}, 3);
    if (!reply.ok)
        return false;
    const auto high = quint8(reply.bytes[1]);
    const auto low = quint8(reply.bytes[2]);
    m_debug(QString("SG-4 sg4GetMaxMove [1]: %1, [2]: %2").arg(high).arg(low));
    m_maxMove = quint16(high * 256 + low);
    return true;
}

bool SG4Control::sg4GetMinMoveCmd()
{
    const Reply reply = exchange("sg4GetMinMoveCmd", kGetMinMove, {}, 3);
    if (!reply.ok)
        return false;
    const auto high = quint8(reply.bytes[1]);
    const auto low = quint8(reply.bytes[2]);
    m_debug(QString("SG-4 sg4GetMinMove [1]: %1, [2]: %2").arg(high).arg(low));
    m_minMove = quint16(high * 256 + low);
    return true;
}

bool SG4Control::sg4SetXAggressiveCmd()
{
    m_sg4XAgressive = std::min<quint16>(m_sg4XAgressive, kAggressiveMost);
    return exchange("sg4SetXAggressiveCmd", kSetXAggressive, QByteArray(1, char(m_sg4XAgressive)), 3).ok;
}

bool SG4Control::sg4SetYAggressiveCmd()
{
    m_sg4YAgressive = std::min<quint16>(m_sg4YAgressive, kAggressiveMost);
    return exchange("sg4SetYAggressiveCmd", kSetYAggressive, QByteArray(1, char(m_sg4YAgressive)), 3).ok;
}

bool SG4Control::sg4GetXAggressiveCmd()
{
    const Reply reply = exchange("sg4GetXAggressiveCmd", kGetXAggressive, {}, 2);
    if (reply.ok) {
        m_sg4XAgressive = quint8(reply.bytes[1]);
        m_debug(QString("SG-4 sg4XAggressive: %1").arg(m_sg4XAgressive));
    }
    return reply.ok;
}

bool SG4Control::sg4GetYAggressiveCmd()
{
    const Reply reply = exchange("sg4GetYAggressiveCmd", kGetYAggressive, {}, 2);
    if (reply.ok) {
        m_sg4YAgressive = quint8(reply.bytes[1]);
        m_debug(QString("SG-4 sg4YAggressive: %1").arg(m_sg4YAgressive));
    }
    return reply.ok;
}

bool SG4Control::sg4DefineSubFrameCmd()
{
    if (m_sg4SubFrameSize == 0) {
        m_debug("SG-4 sg4DefineSubFrameCmd size == 0 error");
        return false;
    }
    m_sg4SubFrameSize = std::min(m_sg4SubFrameSize, kSubFrameMostSide);
    const QByteArray data = bigEndian16(m_sg4SubFrameX) + bigEndian16(m_sg4SubFrameY)
                            + char(m_sg4SubFrameSize);
    return exchange("sg4DefineSubFrameCmd", kDefineSubFrame, data, 1).ok;
}

bool SG4Control::sg4TakeImageCmd()
{
    const std::optional<QByteArray> exposure = exposureBytes(m_sg4ExpSec);
    if (!exposure) {
        m_debug("SG-4 sg4TakeImageCmd: exp time error");
        return false;
    }
    if (m_sg4Bin == kMode1X1 && m_sg4Type == kTypeAuto) {
        m_sg4Type = kTypeLight;
        if (m_sg4Panel)
            m_sg4Panel->selectImageType(kItemLight);
    }
    m_debug(QString("SG-4 sg4TakeImageCmd byte1: 0x%1, byte2: 0x%2, byte3: 0x%3")
                .arg(quint8(exposure->at(0)), 0, 16).arg(quint8(exposure->at(1)), 0, 16)
                .arg(quint8(exposure->at(2)), 0, 16));
    const QByteArray data = *exposure + char(m_sg4Bin) + char(m_sg4Type);
    // Read to the end of the reply: a short exposure's 'D' may follow the echo.
    const Reply reply = exchange("sg4TakeImageCmd", kTakeImage, data, 1, true);
    if (!reply.ok)
        return false;
    m_allSkyExpDate = QDateTime::currentDateTimeUtc();
    if (QByteArrayView(reply.bytes.data() + 1, reply.count - 1).contains(kExposureDone))
        m_isSG4Exposing = false;
    return true;
}

bool SG4Control::sg4SetBaudRateCmd(long baud)
{
    const std::optional<char> code = speedCode(baud);
    if (!code)
        return false;
    m_debug("SG-4 sg4SetBaudRateCmd");
    const QByteArray command = frame(kSetBaudRate, QByteArray(1, *code));
    Reply reply;
    reply.count = qint32(command.size());
    if (!m_serial.transaction(1, reply.count, command.constData(), reply.bytes, kSerialSlotSG4,
                              ReplyEnd::length(1))) {
        m_debug("SG-4 sg4SetBaudRateCmd err: 1");
        return false;
    }
    if (!m_serial.setBaudRate(baud, kSerialSlotSG4)) {
        m_debug("SG-4 sg4SetBaudRateCmd err: 2");
        return false;
    }
    const auto fail = [this](int error) {
        m_debug(QString("SG-4 sg4SetBaudRateCmd err: %1").arg(error));
        m_serial.setBaudRate(m_sg4Baud, kSerialSlotSG4);
        return false;
    };
    m_serial.clearSerialBuffer(kSerialSlotSG4);
    reply.count = qint32(qstrlen(kSpeedTest));
    if (!m_serial.transaction(kSpeedTestReply, reply.count, kSpeedTest, reply.bytes, kSerialSlotSG4))
        return fail(3);
    const QByteArrayView answer(reply.bytes.data(), reply.count);
    if (!answer.contains("Ok"))
        return fail(4);
    m_serial.clearSerialBuffer(kSerialSlotSG4);
    qint32 count = 1;
    const char confirm = kSpeedConfirm;
    if (!m_serial.transaction(0, count, &confirm, reply.bytes, kSerialSlotSG4))
        return fail(5);
    m_sg4Baud = baud;
    if (m_storeBaud)
        m_storeBaud(baud);
    return true;
}
