#include "chart/menus/EditMenuActions.h"

#include "chart/ChartOutlets.h"
#include "chart/ChartViewModes.h"
#include "chart/Finder.h"
#include "chart/SpeechSwitch.h"
#include "chart/UpdateChain.h"
#include "chart/controls/SkyTimeControl.h"
#include "chart/menus/ScopeViewPosition.h"
#include "find/panels/FindPanelEntry.h"
#include "model/ObjectIndex.h"
#include "model/settings/PrefControl.h"
#include "mount/MountGoto.h"
#include "mount/MountState.h"
#include "platform/widgets/FloatingPanel.h"
#include "scopeview/ScopeViewControl.h"
#include "scopeview/ScopeViewWindow.h"
#include "skydraw/ChartDisplay.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

const QString kRestoredTitle = QStringLiteral("Restored Position");
const QString kResetTitle = QStringLiteral("Reset Position");

QString clipboardText()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text() : QString();
}

}  // namespace

EditMenuActions::EditMenuActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain,
                                 SkyTimeControl& time)
    : m_prefs(prefs), m_outlets(outlets), m_chain(chain), m_time(time)
{
}

void EditMenuActions::menuAction(int tag)
{
    switch (tag) {
    case kCopyTag:
        copy();
        break;
    case kFindTag:
        toggleFindPanel();
        break;
    case kShowAllTag:
        m_prefs.setShowAll(!m_prefs.showAll());
        m_chain.redraw(true);
        displayScopeView();
        break;
    case kMonitorAdjustTag:
        if (m_outlets.skyViewModes)
            m_outlets.skyViewModes->setMonitorAdjust();
        if (m_outlets.skyView)
            m_outlets.skyView->display();
        break;
    case kPasteTag:
        paste();
        break;
    case kSpeechTag:
        if (m_outlets.speech)
            m_outlets.speech->setListen();
        break;
    case kSavePositionTag:
        saveSVPosn();
        if (m_prefs.isCreateTour() && m_outlets.findObjects)
            m_outlets.findObjects->addTourObject();
        break;
    case kRestorePositionTag:
        restoreSVPosn();
        break;
    case kResetPositionTag:
        resetPosition();
        break;
    default:
        break;
    }
}

MenuItemState EditMenuActions::validateMenuItem(int tag) const
{
    MenuItemState state;
    switch (tag) {
    case kFindTag:
        state.checked = m_outlets.findPanel && m_outlets.findPanel->isPanelVisible();
        break;
    case kShowAllTag:
        state.checked = m_prefs.showAll();
        break;
    case kMonitorAdjustTag:
        state.checked = m_outlets.skyViewModes && m_outlets.skyViewModes->showMonitorAdjust();
        break;
    case kPasteTag:
        state.enabled = isFindPanelKey() && !clipboardText().isEmpty();
        break;
    case kSpeechTag:
        state.enabled = m_outlets.speech != nullptr;
        state.checked = m_outlets.speech && m_outlets.speech->isListening();
        break;
    case kSavePositionTag:
        state.enabled = isScopeViewVisible() && m_outlets.svControl;
        break;
    case kRestorePositionTag:
        state.enabled = m_prefs.hasSavedSVPosn();
        break;
    default:
        break;
    }
    return state;
}

void EditMenuActions::copy()
{
    if (isFindPanelKey()) {
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setText(m_outlets.findPanelEntry->enterString());
        return;
    }
    if (m_outlets.skyViewModes)
        m_outlets.skyViewModes->setPasteboard();
}

void EditMenuActions::paste()
{
    if (!isFindPanelKey())
        return;
    const QString text = clipboardText();
    if (text.isEmpty())
        m_time.beep();
    else
        m_outlets.findPanelEntry->setEnterString(text);
}

void EditMenuActions::toggleFindPanel()
{
    FloatingPanel* panel = m_outlets.findPanel;
    if (!panel)
        return;
    const bool open = !panel->isPanelVisible();
    panel->showPanel(open);
    if (m_outlets.findObjects)
        m_outlets.findObjects->openFind(open);
}

void EditMenuActions::saveSVPosn()
{
    ScopeViewControl* view = m_outlets.svControl;
    if (!view)
        return;
    const QString text = ScopeViewPosition::format(view->trackRAPlus(), view->trackDecPlus());
    m_prefs.saveSVPosnPrefs(text);
    m_prefs.setFindIndex(kTypedPositionIndex);
    m_prefs.setFindName(text);
}

void EditMenuActions::restoreSVPosn()
{
    // The mount never moves to a place the user did not choose.
    if (!m_prefs.hasSavedSVPosn()) {
        m_time.beep();
        return;
    }
    const std::optional<ScopeViewPosition::Radians> position = ScopeViewPosition::parse(m_prefs.SVSavePosnStr());
    if (!position) {
        m_time.beep();
        return;
    }
    ScopeViewControl* view = m_outlets.svControl;
    if (view) {
        view->resetDeltas();
        view->setTrackRA(position->ra, position->dec);
    }
    if (m_outlets.scopeControl && m_outlets.scopeControl->isConnected() && m_outlets.scopeGoto)
        m_outlets.scopeGoto->gotoRA(position->ra, position->dec);
    if (view) {
        if (!isScopeViewVisible() && !view->keepSVClosed() && !view->isMiniaturized())
            view->orderFront();
        view->setTitle(kRestoredTitle);
    }
    displayScopeView();
    if (m_outlets.skyView)
        m_outlets.skyView->display();
}

void EditMenuActions::resetPosition()
{
    if (ScopeViewControl* view = m_outlets.svControl) {
        view->resetDeltas();
        view->setTitle(kResetTitle);
    }
    displayScopeView();
    if (m_outlets.skyView)
        m_outlets.skyView->display();
}

bool EditMenuActions::isFindPanelKey() const
{
    return m_outlets.findPanelEntry && m_outlets.findPanelEntry->isKeyWindow();
}

bool EditMenuActions::isScopeViewVisible() const
{
    return m_outlets.svWindow && m_outlets.svWindow->isWindowVisible();
}

void EditMenuActions::displayScopeView()
{
    if (isScopeViewVisible())
        m_outlets.svWindow->display();
}
