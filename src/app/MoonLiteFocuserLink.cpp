#include "app/MoonLiteFocuserLink.h"

#include "app/FocusLink.h"
#include "app/MountLink.h"
#include "focus/MoonLiteControl.h"
#include "focus/MoonLiteFrame.h"
#include "focus/views/MoonLiteWindow.h"

MoonLiteFocuserLink::MoonLiteFocuserLink(FocusLink& focus, PrefControl& prefs)
    : m_window(std::make_unique<MoonLiteWindow>()),
      m_control(std::make_unique<MoonLiteControl>(focus.mount().serialControl(), focus.worker(), prefs))
{
    m_frame = std::make_unique<MoonLiteFrame>(*m_control, focus.frameLinks(),
                                              MoonLiteFrame::Displays{*m_window, *m_window, *m_window, *m_window});
    m_window->attachMoonLite(*m_frame);
    focus.joinMoonLite(*m_frame, *m_window);
}

MoonLiteFocuserLink::~MoonLiteFocuserLink() = default;
