#include "app/CanonLink.h"

#include "camera/canon/CanonSdk.h"
#include "camera/views/canon/CanonBaseNameDialog.h"
#include "model/settings/PrefControl.h"
#include "model/settings/PrefLinks.h"
#include "mount/panels/ConnectMenu.h"
#include "platform/DebugLog.h"

CanonLink::CanonLink(PrefControl& prefs, DebugLog& log, std::unique_ptr<CanonSdk> sdk, QWidget* window)
    : m_sdk(std::move(sdk)), m_control(*m_sdk, prefs, DebugWriter([&prefs] { return prefs.isDebug(); }, &log))
{
    m_control.setChooseBaseName([window](const CanonControl::BaseNameRequest& request) {
        return CanonBaseNameDialog::choose(request, window);
    });
}

CanonLink::~CanonLink()
{
    if (m_control.isCanonConnected())
        m_control.canonDisconnect();
}

void CanonLink::fillLinks(PrefLinks& links)
{
    links.canon = &m_control;
}

void CanonLink::joinConnectMenu(ConnectMenu& menu)
{
    menu.setCanon(&m_control);
}
