#pragma once

#include <memory>

class FocusLink;
class RoboControl;
class RoboFrame;
class RoboWindow;
class PrefControl;
class QWidget;

// The RoboFocus focuser as the program holds it: its command layer on
// its port's worker, its window and frame, joined to the Focuser menu, the
// Connect menu and the hand-control panels; its temperature slope kept in the
// settings.
class RoboAssembly final {
public:
    RoboAssembly(FocusLink& focus, PrefControl& prefs, QWidget* parent);
    ~RoboAssembly();

    RoboControl& control() { return *m_control; }
    RoboFrame& frame() { return *m_frame; }
    RoboWindow& window() { return *m_window; }

private:
    std::unique_ptr<RoboControl> m_control;
    std::unique_ptr<RoboWindow> m_window;
    std::unique_ptr<RoboFrame> m_frame;
};
