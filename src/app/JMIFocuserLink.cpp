#include "app/JMIFocuserLink.h"

#include "app/FocusLink.h"
#include "app/MountLink.h"
#include "focus/JMIControl.h"
#include "focus/JMIFrame.h"
#include "focus/views/JMIWindow.h"

JMIFocuserLink::JMIFocuserLink(FocusLink& focus, PrefControl& prefs)
    : m_window(std::make_unique<JMIWindow>()),
      m_control(std::make_unique<JMIControl>(focus.mount().serialControl(), focus.worker(), prefs))
{
    m_control->setDisplay(m_window.get());
    m_frame = std::make_unique<JMIFrame>(*m_control, focus.frameLinks(), *m_window, *m_window, *m_window);
    m_window->attachJMI(*m_frame);
    focus.joinJMI(*m_control, *m_frame, *m_window);
}

JMIFocuserLink::~JMIFocuserLink() = default;
