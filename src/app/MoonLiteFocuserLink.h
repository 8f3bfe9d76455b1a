#pragma once

#include <memory>

class FocusLink;
class MoonLiteControl;
class MoonLiteFrame;
class MoonLiteWindow;
class MoonLiteWindowLink;
class PrefControl;

// The MoonLite focuser as the program holds it: its command layer on the
// mount's serial transport and worker, its window (made when first shown)
// and the window's logic, joined to the Focuser menu, the chart's outlets and the focuser links.
class MoonLiteFocuserLink final {
public:
    MoonLiteFocuserLink(FocusLink& focus, PrefControl& prefs);
    ~MoonLiteFocuserLink();

    MoonLiteControl& control() { return *m_control; }
    MoonLiteFrame& frame() { return *m_frame; }
    // The window, made by the first call.
    MoonLiteWindow& window();
    MoonLiteWindowLink& windowLink() { return *m_window; }

private:
    std::unique_ptr<MoonLiteWindowLink> m_window;
    std::unique_ptr<MoonLiteControl> m_control;
    std::unique_ptr<MoonLiteFrame> m_frame;
};
