#pragma once

#include <memory>

class FocusLink;
class JMIControl;
class JMIFrame;
class JMIWindow;
class JMIWindowLink;
class PrefControl;

// The JMI focuser as the program holds it: its command layer on the
// mount's serial transport and worker, its window (made when first shown)
// and the window's logic, joined to the Focuser menu and the other focuser links.
class JMIFocuserLink final {
public:
    JMIFocuserLink(FocusLink& focus, PrefControl& prefs);
    ~JMIFocuserLink();

    JMIControl& control() { return *m_control; }
    JMIFrame& frame() { return *m_frame; }
    // The window, made by the first call.
    JMIWindow& window();
    JMIWindowLink& windowLink() { return *m_window; }

private:
    std::unique_ptr<JMIWindowLink> m_window;
    std::unique_ptr<JMIControl> m_control;
    std::unique_ptr<JMIFrame> m_frame;
};
