#pragma once

#include <memory>

class FocusLink;
class RoboControl;
class RoboFrame;
class RoboWindow;
class RoboWindowLink;
class PrefControl;
class QWidget;

// The RoboFocus focuser as the program holds it: its command layer on
// its port's worker, its window (made when first shown) and frame, joined
// to the Focuser menu, the Connect menu and the hand-control panels; its
// temperature slope kept in the settings.
class RoboAssembly final {
public:
    RoboAssembly(FocusLink& focus, PrefControl& prefs, QWidget* parent);
    ~RoboAssembly();

    RoboControl& control() { return *m_control; }
    RoboFrame& frame() { return *m_frame; }
    // The window, made by the first call.
    RoboWindow& window();
    RoboWindowLink& windowLink() { return *m_window; }

private:
    std::unique_ptr<RoboControl> m_control;
    std::unique_ptr<RoboWindowLink> m_window;
    std::unique_ptr<RoboFrame> m_frame;
};
