#include "mount/TerminalSettings.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<long, speed_t>, 18> kSpeeds = {{
    {300, B300}, {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400}, {4800, B4800},
    {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
    {230400, B230400}, {460800, B460800}, {500000, B500000}, {576000, B576000},
    {921600, B921600}, {1000000, B1000000}, {1152000, B1152000},
}};

// Tenths of a second a read waits for its first byte.
constexpr cc_t kFirstByteWait = 1;

}  // namespace

namespace TerminalSettings {

std::optional<speed_t> speedCode(long baud)
{
    const auto found = std::find_if(kSpeeds.begin(), kSpeeds.end(),
                                    [baud](const auto& entry) { return entry.first == baud; });
    if (found == kSpeeds.end())
        return std::nullopt;
    return found->second;
}

termios raw(const termios& current, bool evenParity, bool waitForFirstByte)
{
    termios settings = current;
    settings.c_lflag &= ~tcflag_t(ICANON | ISIG | ECHO | ECHOE | ECHONL | IEXTEN);
    settings.c_oflag &= ~tcflag_t(OPOST);
    // Linux ports start with carriage returns turned into line feeds and
    // other input rewriting; device replies and image bytes must come unchanged.
    settings.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP
                                  | BRKINT | PARMRK | INPCK);
    settings.c_cflag &= ~tcflag_t(CSIZE | CSTOPB);
    settings.c_cflag |= CS8 | CREAD | CLOCAL;
    if (evenParity)
        settings.c_cflag |= PARENB;
    else
        settings.c_cflag &= ~tcflag_t(PARENB);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = waitForFirstByte ? kFirstByteWait : 0;
    return settings;
}

}  // namespace TerminalSettings
