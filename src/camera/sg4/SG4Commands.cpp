#include "camera/sg4/SG4Control.h"

#include "camera/sg4/SG4GuiderPanel.h"

#include <algorithm>

using namespace SG4Protocol;

bool SG4Control::send(const char* name, char letter, QByteArray data, quint16 replyLength,
                      std::function<void(bool)> then)
{
    return post([name, letter, data, replyLength](const SG4Exchange& line) {
        return line.command(name, letter, data, replyLength);
    },
                [then = std::move(then)](bool ok) {
                    if (then)
                        then(ok);
                });
}

bool SG4Control::sg4AbortImageCmd(std::function<void(bool)> then)
{
    return send("sg4AbortImageCmd", kAbortImage, {}, 1, std::move(then));
}

bool SG4Control::sg4CalibrateGuiderCmd()
{
    return send("sg4CalibrateGuiderCmd", kCalibrateGuider, {}, 1);
}

bool SG4Control::sg4StartGuiderCmd()
{
    return send("sg4StartGuiderCmd", kStartGuider, {}, 1);
}

bool SG4Control::sg4ForceRelaysCmd(int x, int y)
{
    m_debug(QString("sg4ForceRelaysCmd X: %1, Y: %2").arg(x).arg(y));
    return send("sg4ForceRelaysCmd", kForceRelays, QByteArray(1, char(relayBits(x, y))), 1);
}

bool SG4Control::sg4SetMaxMoveCmd(quint16 move)
{
    return send("sg4SetMaxMoveCmd", kSetMaxMove, bigEndian16(move), 1, beepUnless);
}

bool SG4Control::sg4SetMinMoveCmd(quint16 move)
{
    return send("sg4SetMinMoveCmd", kSetMinMove, bigEndian16(move), 1, beepUnless);
}

bool SG4Control::sg4SetXAggressiveCmd()
{
    m_sg4XAgressive = std::min<quint16>(m_sg4XAgressive, kAggressiveMost);
    return send("sg4SetXAggressiveCmd", kSetXAggressive, QByteArray(1, char(m_sg4XAgressive)), kGainReply);
}

bool SG4Control::sg4SetYAggressiveCmd()
{
    m_sg4YAgressive = std::min<quint16>(m_sg4YAgressive, kAggressiveMost);
    return send("sg4SetYAggressiveCmd", kSetYAggressive, QByteArray(1, char(m_sg4YAgressive)), kGainReply);
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
    return send("sg4DefineSubFrameCmd", kDefineSubFrame, data, 1);
}

bool SG4Control::sg4TakeImageCmd(std::function<void(bool)> then)
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
    return post([data](const SG4Exchange& line) { return line.sg4TakeImageCmd(data); },
                [this, then = std::move(then)](const std::optional<SG4ExposureStart>& start) {
                    if (start) {
                        m_allSkyExpDate = start->utc;
                        if (start->done)
                            m_isSG4Exposing = false;
                    }
                    if (then)
                        then(start.has_value());
                });
}

bool SG4Control::sg4SetBaudRateCmd(long baud, std::function<void(bool)> then)
{
    if (!speedCode(baud))
        return false;
    return post([baud, oldBaud = m_sg4Baud](const SG4Exchange& line) { return line.sg4SetBaudRateCmd(baud, oldBaud); },
                [this, baud, then = std::move(then)](bool ok) {
                    if (ok) {
                        m_sg4Baud = baud;
                        if (m_storeBaud)
                            m_storeBaud(baud);
                    }
                    if (then)
                        then(ok);
                });
}
