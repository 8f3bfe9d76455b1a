#include "app/FocuserWindowLink.h"

#include "focus/views/FocuserWindow.h"

void FocuserWindowLink::showStatus(const QString& text) { m_fields.keep<&FocuserDisplay::showStatus>(text); }

void FocuserWindowLink::showPosition(const QString& text) { m_fields.keep<&FocuserDisplay::showPosition>(text); }

void FocuserWindowLink::showTemperature(const QString& text)
{
    m_fields.keep<&FocuserDisplay::showTemperature>(text);
}

void FocuserWindowLink::showCriticalFocusZone(const QString& text)
{
    m_fields.keep<&FocuserDisplay::showCriticalFocusZone>(text);
}

void FocuserWindowLink::orderFront() { window().orderFront(); }

void FocuserWindowLink::orderOut()
{
    if (FocuserWindow* made = madeWindow())
        made->orderOut();
}

void FocuserWindowLink::showRunning(bool running) { m_run.keep<&AutoFocusDisplay::showRunning>(running); }

void FocuserWindowLink::showProgress(int percent) { m_run.keep<&AutoFocusDisplay::showProgress>(percent); }

void FocuserWindowLink::showFocusResult(quint16 bestFocus, float rms)
{
    m_run.keep<&AutoFocusDisplay::showFocusResult>(bestFocus, rms);
}

void FocuserWindowLink::showRunPosition(quint16 position)
{
    m_run.keep<&AutoFocusDisplay::showRunPosition>(position);
}

// A curve view made later draws the run's samples as it first paints.
void FocuserWindowLink::redrawCurve() { m_run.pass<&AutoFocusDisplay::redrawCurve>(); }

bool FocuserWindowLink::isVisible() const
{
    const FocuserWindow* made = madeWindow();
    return made && made->isVisible();
}

void FocuserWindowLink::setHide(bool hide)
{
    m_hide = hide;
    if (FocuserWindow* made = madeWindow())
        made->setHide(hide);
}

void FocuserWindowLink::fill(FocuserWindow& made)
{
    if (m_hide)
        made.setHide(*m_hide);
    m_fields.join(made);
    m_run.join(made);
}
