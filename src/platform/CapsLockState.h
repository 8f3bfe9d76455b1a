#pragma once

#include <memory>

struct _XDisplay;

// Whether Caps Lock is on, read from the X server's keyboard indicators
// (Xkb). Without an X display (another platform, no DISPLAY) it reads as
// off, and a click's planner modifier is never seen. The connection opens at
// the first question: most sessions never ask, and it holds memory of its own.
class CapsLockState {
public:
    CapsLockState();
    ~CapsLockState();
    CapsLockState(const CapsLockState&) = delete;
    CapsLockState& operator=(const CapsLockState&) = delete;

    bool isOn() const;

private:
    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };
    void open() const;

    mutable bool m_isOpened = false;
    mutable std::unique_ptr<_XDisplay, DisplayCloser> m_display;
};
