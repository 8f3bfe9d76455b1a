#include "mount/panels/SlewPulseMenu.h"

#include "mount/MountProtocols.h"
#include "mount/links/PanelMount.h"
#include "mount/panels/GeminiPanel.h"
#include "mount/panels/LX200Panel.h"
#include "platform/StringTables.h"

SlewPulseMenu::SlewPulseMenu(LX200Panel& lx200Panel, GeminiPanel& geminiPanel, const PanelMount& mount,
                             QWidget* parent)
    : QMenu(parent), m_lx200Panel(lx200Panel), m_geminiPanel(geminiPanel), m_mount(mount)
{
    for (const auto& [tag, title] : {std::pair{1, "1/10 Sec"}, std::pair{2, "1/4 Sec"},
                                     std::pair{3, "1/2 Sec"}, std::pair{0, "Off"}}) {
        QAction* item = addAction(StringTables::localizedString(QStringLiteral("Menus"), QString::fromUtf8(title)));
        item->setData(tag);
        connect(item, &QAction::triggered, this, [this, tag = tag] { slewPulseMenuAction(tag); });
    }
}

void SlewPulseMenu::slewPulseMenuAction(int tag)
{
    PulsePanel& panel = m_mount.scopeProtocol() == kProtocolGemini ? static_cast<PulsePanel&>(m_geminiPanel)
                                                                   : static_cast<PulsePanel&>(m_lx200Panel);
    panel.setIsTenth(tag == 1);
    panel.setIsQuarter(tag == 2);
    panel.setIsHalf(tag == 3);
}
