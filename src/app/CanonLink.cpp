#include "app/CanonLink.h"

#include "app/FocusLink.h"
#include "app/WindowFrames.h"
#include "camera/canon/CanonSdk.h"
#include "camera/views/canon/CanonBaseNameDialog.h"
#include "camera/views/canon/CanonPanel.h"
#include "chart/ChartOutlets.h"
#include "model/settings/PrefControl.h"
#include "model/settings/PrefLinks.h"
#include "mount/panels/ConnectMenu.h"
#include "platform/DebugLog.h"

namespace {

DebugWriter debugWriter(PrefControl& prefs, DebugLog& log)
{
    return DebugWriter([&prefs] { return prefs.isDebug(); }, &log);
}

}  // namespace

CanonLink::CanonLink(PrefControl& prefs, DebugLog& log, std::unique_ptr<CanonSdk> sdk, QWidget* window)
    : m_sdk(std::move(sdk)),
      m_control(*m_sdk, prefs, debugWriter(prefs, log)),
      m_panel([this, &prefs, debug = debugWriter(prefs, log), window] {
          auto panel = std::make_unique<CanonPanel>(m_control, debug, window);
          keepWindowFrame(prefs, *panel, QStringLiteral("Canon"), window, Qt::BottomLeftCorner);
          return panel;
      })
{
    // A connected camera shows its panel: made then if need be, after which
    // the panel answers the request itself.
    QObject::connect(&m_control, &CanonControl::showPanelRequested, &m_control, [this] {
        if (!m_panel.isMade())
            m_panelLink.show();
    });
    m_control.setChooseBaseName([window](const CanonControl::BaseNameRequest& request) {
        return CanonBaseNameDialog::choose(request, window);
    });
}

CanonLink::~CanonLink()
{
    // A connection still being made ends too: its late answers are dropped.
    if (m_control.isCanonConnected() || m_control.isCanonConnecting())
        m_control.canonDisconnect();
}

void CanonLink::fillLinks(PrefLinks& links)
{
    links.canon = &m_control;
}

void CanonLink::fillOutlets(ChartOutlets& outlets)
{
    outlets.canonPanel = &m_panelLink;
}

void CanonLink::joinConnectMenu(ConnectMenu& menu)
{
    menu.setCanon(&m_control);
    menu.setCanonPanel(&m_panelLink);
}

void CanonLink::joinFocus(FocusLink& focus)
{
    m_focusSource = std::make_unique<CanonFocusSource>(m_control, m_panel);
    focus.cameras().setCanon(m_focusSource.get());
}
