#include "mount/panels/LX200Panel.h"

#include "mount/links/PanelMount.h"
#include "mount/panels/TaggedPopUp.h"

#include <QPushButton>

LX200Panel::LX200Panel(Links links, QWidget* parent) : PulsePanel(links, parent)
{
    buildControls({{41, "2400"}, {42, "4800"}, {43, "9600"}, {44, "19200"}, {45, "38400"}, {46, "57600"}});
    addCommand(m_commands, "Sync", kSyncTag, "Sync the scope to the current RA and Dec");
    addCommand(m_commands, "Park", 31, "Move the scope to the park position and disconnect");
    addCommand(m_commands, "Store", 32, "Align the scope OTA to the forks");
    addCommand(m_commands, "Date/Time", 33, "Send the Mac date and time to the scope");
    addCommand(m_commands, "Site", 34, "Send the current site location to the scope");
    addSlewTips(false);
    addFocusTips();
}

void LX200Panel::sendCode(int code)
{
    mount().lx200Command(code);
}

void LX200Panel::commandAction(int tag)
{
    sendCode(tag == kBaudTag ? baudPopUp()->selectedTag() : tag);
}

void LX200Panel::setAPSyncTitle()
{
    buttonWithTag(kSyncTag)->setText(scopeText("ReCal"));
}
