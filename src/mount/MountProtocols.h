#pragma once

#include <QString>

// The `mountProtocol` numbers of a telescope record.
constexpr int kProtocolNone = 0;
constexpr int kProtocolLX200 = 1;
constexpr int kProtocolLX200GPS = 2;
constexpr int kProtocolAstroPhysics = 3;
constexpr int kProtocolNexStarGPS = 4;
constexpr int kProtocolTemma = 5;
constexpr int kProtocolUltima = 6;
constexpr int kProtocolGemini = 7;
constexpr int kProtocolMeadeBasic = 8;
constexpr int kProtocolSkyCommander = 9;
constexpr int kProtocolIOptron = 10;
constexpr int kProtocolServoCat = 11;
constexpr int kProtocolSynScan = 12;
constexpr int kProtocolIEQ45 = 13;

// The hand-control panel each protocol shows.
enum class MountPanel { None, LX200, MeadeBasic, Gemini, Temma, NexStar, IOptron, IEQ45 };

constexpr MountPanel mountPanelFor(int protocol)
{
    switch (protocol) {
    case kProtocolLX200:
    case kProtocolLX200GPS:
    case kProtocolAstroPhysics:
        return MountPanel::LX200;
    case kProtocolNexStarGPS:
    case kProtocolSynScan:
        return MountPanel::NexStar;
    case kProtocolTemma:
        return MountPanel::Temma;
    case kProtocolGemini:
        return MountPanel::Gemini;
    case kProtocolMeadeBasic:
        return MountPanel::MeadeBasic;
    case kProtocolIOptron:
        return MountPanel::IOptron;
    case kProtocolIEQ45:
        return MountPanel::IEQ45;
    default:
        return MountPanel::None;
    }
}

// The name the debug log gives a protocol; empty for Ultima and unknown numbers.
QString mountProtocolName(int protocol);
