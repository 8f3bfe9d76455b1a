#include "mount/MountProtocols.h"

#include <array>

QString mountProtocolName(int protocol)
{
    static constexpr std::array<const char*, 14> kNames = {
        "",        "LX200",       "LX200 GPS",     "AstroPhysics", "NexStar GPS",
        "Temma II", "",           "Gemini",        "Meade Basic",  "Sky Commander",
        "iOptron", "ServoCAT",    "SynScan",       "iEQ45"};
    if (protocol < 0 || protocol >= int(kNames.size()))
        return {};
    return QString::fromLatin1(kNames[protocol]);
}
