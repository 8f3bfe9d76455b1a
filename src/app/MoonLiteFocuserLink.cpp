#include "app/MoonLiteFocuserLink.h"

#include "app/FocusLink.h"
#include "app/MoonLiteWindowLink.h"
#include "app/MountLink.h"
#include "focus/MoonLiteControl.h"
#include "focus/MoonLiteFrame.h"

MoonLiteFocuserLink::MoonLiteFocuserLink(FocusLink& focus, PrefControl& prefs)
    : m_window(std::make_unique<MoonLiteWindowLink>([] { return std::make_unique<MoonLiteWindow>(); })),
      m_control(std::make_unique<MoonLiteControl>(focus.mount().serialControl(), focus.worker(), prefs))
{
    m_frame = std::make_unique<MoonLiteFrame>(*m_control, focus.frameLinks(),
                                              MoonLiteFrame::Displays{*m_window, *m_window, *m_window, *m_window});
    m_window->attach([this](MoonLiteWindow& made) { made.attachMoonLite(*m_frame); });
    focus.joinMoonLite(*m_control, *m_frame, *m_window);
}

MoonLiteFocuserLink::~MoonLiteFocuserLink() = default;

MoonLiteWindow& MoonLiteFocuserLink::window() { return m_window->get(); }
