#pragma once

#include "platform/DisplayGamma.h"

#include <atomic>
#include <memory>
#include <vector>

struct _XDisplay;
struct _XRRCrtcGamma;

// Gamma of an X display through RandR CRTC gamma ramps. The ramps found at
// opening are kept and put back on restoreDefault(), at destruction, at
// exit() and when the process dies of a signal, so a crash never leaves the
// screen dimmed red.
class X11DisplayGamma final : public DisplayGamma {
    struct GammaDeleter {
        void operator()(_XRRCrtcGamma* gamma) const;
    };

public:
    // One CRTC whose gamma we set, with the ramps it had at opening.
    struct Output {
        unsigned long crtc = 0;
        int size = 0;
        std::unique_ptr<_XRRCrtcGamma, GammaDeleter> original;
    };
    // Only open() can make a key, so only open() constructs.
    class Key {
        friend class X11DisplayGamma;
        Key() = default;
    };

    // Null when the display cannot be opened, lacks RandR 1.2 or has no
    // active output with a gamma ramp.
    static std::unique_ptr<X11DisplayGamma> open(const QByteArray& displayName);

    X11DisplayGamma(Key, _XDisplay* display, quint32 root, std::vector<Output> outputs);
    ~X11DisplayGamma() override;
    X11DisplayGamma(const X11DisplayGamma&) = delete;
    X11DisplayGamma& operator=(const X11DisplayGamma&) = delete;

    quint32 displayID() const override { return m_root; }
    GammaFormula defaultFormula() const override { return m_default; }
    bool setFormula(const GammaFormula& formula) override;
    bool restoreDefault() override;

private:
    // Sets the kept ramps; allocates nothing, so the signal handler may call it.
    void putOriginalRamps();
    static void installAbnormalEndRestore();
    static void restoreAtExit();
    static void restoreOnSignal(int signal);

    _XDisplay* m_display;
    quint32 m_root;
    std::vector<Output> m_outputs;
    GammaFormula m_default{};
    bool m_changed = false;

    // The display whose ramps are changed, for the exit and signal handlers.
    static std::atomic<X11DisplayGamma*> s_changed;
};
