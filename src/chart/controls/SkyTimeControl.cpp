#include "chart/controls/SkyTimeControl.h"

#include "chart/BottomPanel.h"
#include "chart/ChartOutlets.h"
#include "chart/TimePanel.h"
#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "mount/MountState.h"

#include <QApplication>

SkyTimeControl::SkyTimeControl(PrefControl& prefs, SkyDateModel& skyDate, const ChartOutlets& outlets)
    : m_prefs(prefs), m_skyDate(skyDate), m_outlets(outlets), m_beep([] { QApplication::beep(); })
{
}

bool SkyTimeControl::permitsTimeChange()
{
    if (m_outlets.scopeControl && m_outlets.scopeControl->isConnected()) {
        m_beep();
        return false;
    }
    return true;
}

bool SkyTimeControl::step(double seconds)
{
    if (!permitsTimeChange())
        return false;
    if (m_prefs.isRunRealTime())
        m_prefs.setIsRunRealTime(false, false);
    m_skyDate.calculateDate(std::nullopt, seconds);
    if (m_outlets.timeControlPanel)
        m_outlets.timeControlPanel->setupDate();
    // The date line shows the new moment at once, whatever redraw follows.
    if (m_outlets.skyBottomPanel)
        m_outlets.skyBottomPanel->updateBottomPanel();
    return true;
}

bool SkyTimeControl::setDate(const QDateTime& date)
{
    if (!permitsTimeChange())
        return false;
    m_skyDate.calculateDate(date, 0.0);
    return true;
}
