#pragma once

#include "platform/DisplayGamma.h"
#include "platform/GammaRestoreWatcher.h"

#include <memory>
#include <vector>

struct _XDisplay;
struct _XRRCrtcGamma;

// Gamma of an X display through RandR CRTC gamma ramps. The ramps found at
// opening are kept and put back on restoreDefault() and at destruction. Opened
// with a watcher, a process that dies any other way cannot leave the screen
// dimmed either: the watcher (GammaRestoreWatcher), started at the first
// dimming, puts the ramps back.
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
    enum class Watch { No, Yes };

    // Null when the display cannot be opened, lacks RandR 1.2 or has no
    // active output with a gamma ramp.
    static std::unique_ptr<X11DisplayGamma> open(const QByteArray& displayName,
                                                 Watch watch = Watch::No);

    X11DisplayGamma(Key, _XDisplay* display, quint32 root, std::vector<Output> outputs);
    ~X11DisplayGamma() override;
    X11DisplayGamma(const X11DisplayGamma&) = delete;
    X11DisplayGamma& operator=(const X11DisplayGamma&) = delete;

    quint32 displayID() const override { return m_root; }
    GammaFormula defaultFormula() const override { return m_default; }
    bool setFormula(const GammaFormula& formula) override;
    bool restoreDefault() override;

private:
    void putOriginalRamps();

    _XDisplay* m_display;
    quint32 m_root;
    std::vector<Output> m_outputs;
    GammaFormula m_default{};
    bool m_changed = false;
    // The watcher is tried once, at the first dimming; null when not wanted or not started.
    bool m_wantsWatcher = false;
    QByteArray m_displayName;
    std::unique_ptr<GammaRestoreWatcher> m_watcher;
};
