#include "app/JMIFocuserLink.h"

#include "app/FocusLink.h"
#include "app/JMIWindowLink.h"
#include "app/MountLink.h"
#include "focus/JMIControl.h"
#include "focus/JMIFrame.h"

JMIFocuserLink::JMIFocuserLink(FocusLink& focus, PrefControl& prefs)
    : m_window(std::make_unique<JMIWindowLink>([] { return std::make_unique<JMIWindow>(); })),
      m_control(std::make_unique<JMIControl>(focus.mount().serialControl(), focus.worker(), prefs))
{
    m_control->setDisplay(m_window.get());
    m_frame = std::make_unique<JMIFrame>(*m_control, focus.frameLinks(), *m_window, *m_window, *m_window);
    m_window->attach([this](JMIWindow& made) { made.attachJMI(*m_frame); });
    focus.joinJMI(*m_control, *m_frame, *m_window);
}

JMIFocuserLink::~JMIFocuserLink() = default;

JMIWindow& JMIFocuserLink::window() { return m_window->get(); }
