#include "platform/CapsLockState.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdlib>

namespace {

// Caps Lock is the first keyboard indicator.
constexpr unsigned kCapsLockIndicator = 0x01;

}  // namespace

void CapsLockState::DisplayCloser::operator()(_XDisplay* display) const { XCloseDisplay(display); }

CapsLockState::CapsLockState() = default;

CapsLockState::~CapsLockState() = default;

void CapsLockState::open() const
{
    m_isOpened = true;
    // A client of its own, so the answer does not depend on the toolkit's
    // platform plugin; none when no X server is named.
    if (std::getenv("DISPLAY") == nullptr)
        return;
    int major = XkbMajorVersion, minor = XkbMinorVersion, error = 0;
    Display* display = XkbOpenDisplay(nullptr, nullptr, nullptr, &major, &minor, &error);
    m_display.reset(display);
}

bool CapsLockState::isOn() const
{
    if (!m_isOpened)
        open();
    unsigned state = 0;
    if (!m_display || XkbGetIndicatorState(m_display.get(), XkbUseCoreKbd, &state) != Success)
        return false;
    return (state & kCapsLockIndicator) != 0;
}
