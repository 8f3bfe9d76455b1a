#include "mount/ScopeControl.h"

#include "mount/MountProtocols.h"

#include <array>

namespace {

enum class SlewKind { None, LX200, NexStar, Temma, IOptron };

SlewKind slewKind(int protocol)
{
    switch (protocol) {
    case kProtocolLX200:
    case kProtocolLX200GPS:
    case kProtocolGemini:
    case kProtocolAstroPhysics:
    case kProtocolMeadeBasic:
        return SlewKind::LX200;
    case kProtocolNexStarGPS:
    case kProtocolSynScan:
    case kProtocolUltima:
        return SlewKind::NexStar;
    case kProtocolTemma:
        return SlewKind::Temma;
    case kProtocolIOptron:
        return SlewKind::IOptron;
    default:
        return SlewKind::None;
    }
}

const char* slewName(SlewKind kind)
{
    switch (kind) {
    case SlewKind::LX200: return "LX200";
    case SlewKind::NexStar: return "NexStar";
    case SlewKind::Temma: return "Temma";
    case SlewKind::IOptron: return "iOptron";
    case SlewKind::None: break;
    }
    return "";
}

}  // namespace

bool ScopeControl::runNow(const PanelCommand& command)
{
    if (!m_family || !m_hasScopePort)
        return false;
    sampleInputs();
    const bool stop = command.operation == MountOperation::Slew
                      && (command.code == kStopAll || (command.flag & kSlewFlagStop) != 0);
    if (!stop) {
        m_thread.post(ScopeMessage::operationMessage(command));
        return true;
    }
    m_thread.postStop(ScopeMessage::operationMessage(command));
    return true;
}

bool ScopeControl::genericSlew(int direction)
{
    if (!m_status.isConnected)
        return false;
    m_status.isNoResponse = false;
    const SlewKind kind = slewKind(m_status.scopeProtocol);
    if (kind == SlewKind::None)
        return false;
    m_debug([&] { return QString("generic %1 slew: %2").arg(slewName(kind)).arg(direction); });
    return runNow({MountOperation::Slew, direction, 0, false});
}

bool ScopeControl::genericSlewStop(int direction)
{
    if (!m_status.isConnected)
        return false;
    m_status.isNoResponse = false;
    const SlewKind kind = slewKind(m_status.scopeProtocol);
    switch (kind) {
    case SlewKind::None:
        return false;
    case SlewKind::LX200:
    case SlewKind::IOptron:
        if (kind == SlewKind::LX200)
            m_debug([direction] { return QString("generic LX200 slew stop: %1").arg(direction); });
        return runNow({MountOperation::Slew, kStopAll, 0, false});
    case SlewKind::NexStar:
    case SlewKind::Temma:
        m_debug([&] {
            return QString("generic %1 slew stop: %2").arg(slewName(kind)).arg(direction);
        });
        return runNow({MountOperation::Slew, direction, 1, false});
    }
    return false;
}

void ScopeControl::setGenericSlewRate(int rate)
{
    if (rate < 1 || rate > 4 || !m_status.isConnected)
        return;
    m_status.isNoResponse = false;
    const int fastest = rate - 1;
    switch (m_status.scopeProtocol) {
    case kProtocolLX200:
    case kProtocolLX200GPS:
    case kProtocolGemini:
        runNow({MountOperation::SlewSpeed, std::array{13, 12, 11, 10}[fastest], 0, false});
        break;
    case kProtocolNexStarGPS:
    case kProtocolSynScan:
        runNow({MountOperation::SlewSpeed, std::array{3, 2, 1, 0}[fastest], 0, false});
        break;
    case kProtocolTemma:
        runNow({MountOperation::Slew, std::array{11, 11, 10, 10}[fastest], 0, false});
        break;
    default:
        break;
    }
}

bool ScopeControl::pulseGuideLX200(bool eastWest, int milliseconds)
{
    if (!m_status.isConnected)
        return false;
    return runNow({MountOperation::PulseGuide, milliseconds, eastWest ? 1 : 0, false});
}
