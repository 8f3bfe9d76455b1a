#include "app/OptecAssembly.h"

#include "app/FocusLink.h"
#include "app/MountLink.h"
#include "app/OptecWindowLink.h"
#include "focus/OptecControl.h"
#include "focus/OptecFrame.h"
#include "model/settings/PrefControl.h"

OptecAssembly::OptecAssembly(FocusLink& focus, PrefControl& prefs, QWidget* parent)
    : m_control(std::make_unique<OptecControl>(focus.mount().serialControl(), focus.worker())),
      m_window(std::make_unique<OptecWindowLink>([parent] { return std::make_unique<OptecWindow>(parent); })),
      m_frame(std::make_unique<OptecFrame>(*m_control, focus.frameLinks(),
                                           OptecFrame::Views{*m_window, *m_window, *m_window},
                                           [&prefs] { prefs.saveOptecPrefs(); }))
{
    m_window->attach([this](OptecWindow& made) { made.attachOptec(*m_frame); });
    focus.joinOptec(*m_control, *m_frame, *m_window);
}

// The frame goes before the window it shows on and the control it drives.
OptecAssembly::~OptecAssembly()
{
    m_frame.reset();
    m_window.reset();
}

OptecWindow& OptecAssembly::window() { return m_window->get(); }
