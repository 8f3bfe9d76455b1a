#include "app/NameSearchLink.h"

#include "find/FindObjects.h"
#include "find/FindResultCode.h"
#include "find/panels/FindPanelControl.h"

static_assert(NameSearch::kFoundAndSelected == findResultFound);

int NameSearchLink::findVoiceName(const QString& name) { return int(m_finder.findVoiceName(name)); }

void NameSearchLink::findCenterAction() { m_finder.findCenterAction(); }

void NameSearchLink::searchInFindPanel(const QString& text)
{
    m_panel.orderFront();
    m_panel.activateWindow();
    m_panel.setEnterString(text);
    m_finder.findObjectName(m_panel.getEnterString());
}
