#pragma once

#include <memory>

class FocusLink;
class OptecControl;
class OptecFrame;
class OptecWindow;
class OptecWindowLink;
class PrefControl;
class QWidget;

// The Optec TCF-S focuser as the program holds it: its command layer on
// its port's worker, its window (made when first shown) and frame, joined
// to the Focuser menu, the Connect menu and the hand-control panels; its
// four speeds kept in the settings.
class OptecAssembly final {
public:
    OptecAssembly(FocusLink& focus, PrefControl& prefs, QWidget* parent);
    ~OptecAssembly();

    OptecControl& control() { return *m_control; }
    OptecFrame& frame() { return *m_frame; }
    // The window, made by the first call.
    OptecWindow& window();
    OptecWindowLink& windowLink() { return *m_window; }

private:
    std::unique_ptr<OptecControl> m_control;
    std::unique_ptr<OptecWindowLink> m_window;
    std::unique_ptr<OptecFrame> m_frame;
};
