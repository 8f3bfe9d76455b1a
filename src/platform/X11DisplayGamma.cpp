#include "platform/X11DisplayGamma.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cstring>
#include <utility>

void X11DisplayGamma::GammaDeleter::operator()(_XRRCrtcGamma* gamma) const
{
    XRRFreeGamma(gamma);
}

std::unique_ptr<X11DisplayGamma> X11DisplayGamma::open(const QByteArray& displayName, Watch watch)
{
    Display* display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (display == nullptr)
        return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase)
        || !XRRQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 2)) {
        XCloseDisplay(display);
        return nullptr;
    }
    const Window root = DefaultRootWindow(display);
    std::vector<Output> outputs;
    if (XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root)) {
        for (int i = 0; i < resources->ncrtc; ++i) {
            const RRCrtc crtc = resources->crtcs[i];
            XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, crtc);
            const bool active = info != nullptr && info->mode != None;
            if (info != nullptr)
                XRRFreeCrtcInfo(info);
            const int size = active ? XRRGetCrtcGammaSize(display, crtc) : 0;
            if (size <= 0)
                continue;
            Output output;
            output.crtc = crtc;
            output.size = size;
            output.original.reset(XRRGetCrtcGamma(display, crtc));
            if (output.original && output.original->size == size)
                outputs.push_back(std::move(output));
        }
        XRRFreeScreenResources(resources);
    }
    if (outputs.empty()) {
        XCloseDisplay(display);
        return nullptr;
    }
    auto gamma = std::make_unique<X11DisplayGamma>(Key(), display, quint32(root), std::move(outputs));
    gamma->m_wantsWatcher = watch == Watch::Yes;
    gamma->m_displayName = displayName;
    return gamma;
}

X11DisplayGamma::X11DisplayGamma(Key, _XDisplay* display, quint32 root, std::vector<Output> outputs)
    : m_display(display), m_root(root), m_outputs(std::move(outputs))
{
    const _XRRCrtcGamma& first = *m_outputs.front().original;
    const unsigned short* channels[3] = {first.red, first.green, first.blue};
    for (int c = 0; c < 3; ++c) {
        const auto f = formulaFromRamp(channels[c], first.size);
        std::copy(f.begin(), f.end(), m_default.begin() + 3 * c);
    }
}

X11DisplayGamma::~X11DisplayGamma()
{
    if (m_changed)
        restoreDefault();
    m_watcher.reset();
    m_outputs.clear();
    XCloseDisplay(m_display);
}

bool X11DisplayGamma::setFormula(const GammaFormula& formula)
{
    // The watcher must hold the ramps before they change.
    if (std::exchange(m_wantsWatcher, false))
        m_watcher = GammaRestoreWatcher::start(m_displayName);
    if (m_watcher)
        m_watcher->setDimmed(true);
    m_changed = true;
    for (const Output& output : m_outputs) {
        XRRCrtcGamma* gamma = XRRAllocGamma(output.size);
        if (gamma == nullptr)
            continue;
        unsigned short* channels[3] = {gamma->red, gamma->green, gamma->blue};
        for (int c = 0; c < 3; ++c) {
            const auto ramp = rampFromFormula(formula[3 * c], formula[3 * c + 1],
                                              formula[3 * c + 2], output.size);
            std::memcpy(channels[c], ramp.data(), ramp.size() * sizeof(quint16));
        }
        XRRSetCrtcGamma(m_display, output.crtc, gamma);
        XRRFreeGamma(gamma);
    }
    XSync(m_display, False);
    return true;
}

bool X11DisplayGamma::restoreDefault()
{
    putOriginalRamps();
    m_changed = false;
    if (m_watcher)
        m_watcher->setDimmed(false);
    return true;
}

void X11DisplayGamma::putOriginalRamps()
{
    for (const Output& output : m_outputs)
        XRRSetCrtcGamma(m_display, output.crtc, output.original.get());
    XSync(m_display, False);
}
