#include "app/RoboAssembly.h"

#include "app/FocusLink.h"
#include "app/MountLink.h"
#include "app/RoboWindowLink.h"
#include "focus/RoboControl.h"
#include "focus/RoboFrame.h"
#include "model/settings/PrefControl.h"

RoboAssembly::RoboAssembly(FocusLink& focus, PrefControl& prefs, QWidget* parent)
    : m_control(std::make_unique<RoboControl>(focus.mount().serialControl(), focus.worker())),
      m_window(std::make_unique<RoboWindowLink>([parent] { return std::make_unique<RoboWindow>(parent); })),
      m_frame(std::make_unique<RoboFrame>(*m_control, focus.frameLinks(),
                                          RoboFrame::Views{*m_window, *m_window, *m_window},
                                          [&prefs] { prefs.saveRoboSlope(); }))
{
    m_window->attach([this](RoboWindow& made) { made.attachRobo(*m_frame); });
    focus.joinRobo(*m_control, *m_frame, *m_window);
}

// The frame goes before the window it shows on and the control it drives.
RoboAssembly::~RoboAssembly()
{
    m_frame.reset();
    m_window.reset();
}

RoboWindow& RoboAssembly::window() { return m_window->get(); }
