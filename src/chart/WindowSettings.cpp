#include "chart/WindowSettings.h"

#include "chart/ChartOutlets.h"
#include "chart/TimePanel.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/FloatingPanel.h"
#include "platform/widgets/HidesOnDeactivate.h"
#include "platform/widgets/ToolPanel.h"
#include "platform/widgets/ToolTipOwner.h"
#include "scopeview/ScopeViewWindow.h"

#include <initializer_list>

namespace {

void hide(std::initializer_list<HidesOnDeactivate*> windows, bool on)
{
    for (HidesOnDeactivate* window : windows) {
        if (window)
            window->setHide(on);
    }
}

}  // namespace

WindowSettings::WindowSettings(const PrefControl& prefs, const ChartOutlets& outlets)
    : m_prefs(prefs), m_outlets(outlets)
{
}

void WindowSettings::setAllHide()
{
    const ChartOutlets& o = m_outlets;
    hide({o.skyWindow}, m_prefs.isSkyHide());
    hide({o.svWindow}, m_prefs.isSVHide());
    hide({o.lx200Panel, o.meadeBasicPanel, o.temmaPanel, o.nexStarPanel, o.geminiPanel,
          o.iOptronPanel, o.iEQ45Panel, o.alignPanel},
         m_prefs.isScopeHide());
    hide({o.ssWindow, o.tonightWindow}, m_prefs.isSSHide());
    hide({o.webcamPanel, o.canonPanel, o.sg4Panel, o.allSkyPanel}, m_prefs.isWebcamHide());
    hide({o.optecWindow, o.roboWindow, o.jmiWindow, o.moonWindow, o.fcusbWindow}, m_prefs.isFocuserHide());
    hide({o.domePanel, o.ddwPanel}, m_prefs.isDomeHide());
}

void WindowSettings::toolTipsControl()
{
    const ChartOutlets& o = m_outlets;
    // The NexStar panel keeps its tool tips.
    const std::initializer_list<ToolTipOwner*> owners = {
        o.timeControlPanel, o.directionControlPanel, o.prefLocalization, o.findPanel,
        o.svDrawView, o.lx200Panel, o.meadeBasicPanel, o.temmaPanel, o.geminiPanel,
        o.iOptronPanel, o.iEQ45Panel, o.webcamControl, o.canonPanel, o.domePanel, o.ddwPanel,
    };
    const bool on = m_prefs.isToolTips();
    for (ToolTipOwner* owner : owners) {
        if (!owner)
            continue;
        if (on)
            owner->setToolTips();
        else
            owner->clearToolTips();
    }
}
