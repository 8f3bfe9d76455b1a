#include "camera/sg4/SG4Control.h"

#include "camera/sg4/SG4DevicePanel.h"
#include "platform/AlertPanel.h"

#include <algorithm>

using namespace SG4Protocol;

namespace {

constexpr double kPercent = 100.0;

quint16 gainOf(double percent)
{
    return quint16(std::clamp(int(percent * kAggressiveMost / kPercent), 0, int(kAggressiveMost)));
}

}  // namespace

void SG4Control::sg4SetupAction(int tag, double value)
{
    switch (tag) {
    case kTagSpeed:
        setSpeed(int(value));
        break;
    case kTagMinMove:
        m_minMove = quint16(std::clamp(int(value), 0, 0xFFFF));
        sg4SetMinMoveCmd(m_minMove);
        m_debug(QString("SG-4 set min move: %1").arg(m_minMove));
        break;
    case kTagMaxMove:
        m_maxMove = quint16(std::clamp(int(value), 0, 0xFFFF));
        sg4SetMaxMoveCmd(m_maxMove);
        m_debug(QString("SG-4 set max move: %1").arg(m_maxMove));
        break;
    case kTagReadout: {
        const int item = int(value);
        if (item < kItemFirstMode || item > kItemSubFrame)
            break;
        if (item == kItemSubFrame && m_sg4SubFrameSize == 0) {
            AlertPanel::runAlert("Drag a subframe rectangle first", " ");
            if (SG4DevicePanel* panel = devicePanel()) {
                const int current = m_sg4Bin == kModeSubFrame ? kItemSubFrame : kItemFirstMode + m_sg4Bin;
                panel->selectReadoutMode(current);
            }
            break;
        }
        m_sg4Bin = item == kItemSubFrame ? kModeSubFrame : quint8(item - kItemFirstMode);
        m_debug(QString("SG-4 set binning: %1").arg(m_sg4Bin));
        break;
    }
    case kTagXGain:
        m_sg4XAgressive = gainOf(value);
        sg4SetXAggressiveCmd();
        m_debug(QString("SG-4 X Gain: %1").arg(m_sg4XAgressive));
        break;
    case kTagYGain:
        m_sg4YAgressive = gainOf(value);
        sg4SetYAggressiveCmd();
        m_debug(QString("SG-4 Y Gain: %1").arg(m_sg4YAgressive));
        break;
    default:
        break;
    }
}

void SG4Control::setSpeed(int itemTag)
{
    const int index = itemTag - kItemFirstSpeed;
    const long baud = index >= 0 && index < int(kSpeeds.size()) ? kSpeeds[std::size_t(index)] : kSpeeds[0];
    if (SG4DevicePanel* panel = devicePanel())
        panel->setProgressRunning(true);
    const bool posted = sg4SetBaudRateCmd(baud, [this, baud](bool ok) {
        if (ok) {
            m_debug(QString("SG-4 set baud: %1").arg(baud));
        } else {
            m_debug("SG-4 set baud failed");
            AlertPanel::beep();
        }
        if (SG4DevicePanel* panel = devicePanel()) {
            panel->setProgressRunning(false);
            panel->selectSpeed(m_sg4Baud);
        }
    });
    if (!posted) {
        AlertPanel::beep();
        if (SG4DevicePanel* panel = devicePanel())
            panel->setProgressRunning(false);
    }
}
