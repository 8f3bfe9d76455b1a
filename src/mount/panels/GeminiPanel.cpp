#include "mount/panels/GeminiPanel.h"

#include "mount/links/PanelMount.h"
#include "mount/panels/RadioMatrix.h"
#include "mount/panels/TaggedPopUp.h"

#include <QPushButton>

namespace {

constexpr int kGuideCell = 13;

}  // namespace

GeminiPanel::GeminiPanel(Links links, QWidget* parent) : PulsePanel(links, parent)
{
    buildControls({{42, "4800"}, {43, "9600"}, {44, "19200"}, {47, "28800"}, {45, "38400"}});
    addCommand(m_commands, "Sync", 30, "Sync the scope to the current RA and Dec");
    addCommand(m_commands, "Align", 35,
               "Sync the scope to the current RA and Dec and update Gemini's alignment parameters.");
    m_mode = addPopUp(kModeTag, "Mode",
                      {{51, "Photo"}, {52, "All Speeds"}, {53, "Visual"}, {54, "Sidereal"},
                       {55, "Terrestrial"}, {56, "King"}, {57, "Lunar"}, {58, "Solar"},
                       {59, "Closed Loop"}, {60, "Comet"}});
    addTip(m_mode, "Select the Gemini mode");
    addCommand(m_commands, "Home", 32, "Move the scope to the home position");
    addCommand(m_commands, "Date/Time", 33, "Send the Mac date and time to the scope");
    addCommand(m_commands, "Site", 34, "Send the current site location to the scope");
    m_guideSpeed = addPopUp(kGuideSpeedTag, "Guide Speed",
                            {{62, "0.2x"}, {63, "0.3x"}, {64, "0.4x"}, {65, "0.5x"}, {66, "0.6x"},
                             {67, "0.7x"}, {68, "0.8x"}});
    m_centerSpeed = addPopUp(kCenterSpeedTag, "Centering Speed",
                             {{71, "1"}, {72, "2"}, {73, "3"}, {74, "4"}, {75, "5"}, {76, "6"}, {77, "7"}});
    m_slewSpeed = addPopUp(kMaxSlewSpeedTag, "Slew Speed",
                           {{81, "1"}, {82, "2"}, {83, "3"}, {84, "4"}, {85, "5"}, {86, "6"}, {87, "7"}});
    connect(speedMatrix(), &RadioMatrix::activated, this, &GeminiPanel::speedChanged);
    speedChanged(speedMatrix()->selectedTag());
    addSlewTips(true);
    addFocusTips();
}

void GeminiPanel::sendCode(int code)
{
    mount().geminiCommand(code);
}

void GeminiPanel::holdCode(int code)
{
    // Held slews and their stops go out as plain LX200 commands.
    mount().lx200Command(code);
}

void GeminiPanel::commandAction(int tag)
{
    if (TaggedPopUp* chosen = popUp(tag))
        sendCode(chosen->selectedTag());
    else
        sendCode(tag);
}

TaggedPopUp* GeminiPanel::popUp(int tag) const
{
    switch (tag) {
    case kModeTag: return m_mode;
    case kGuideSpeedTag: return m_guideSpeed;
    case kCenterSpeedTag: return m_centerSpeed;
    case kMaxSlewSpeedTag: return m_slewSpeed;
    case kBaudTag: return baudPopUp();
    default: return nullptr;
    }
}

void GeminiPanel::speedChanged(int tag)
{
    m_guideSpeed->setEnabled(tag == kGuideCell);
}

void GeminiPanel::setSlewSpeedRadio(int tag)
{
    speedMatrix()->selectCellWithTag(tag);
    speedChanged(speedMatrix()->selectedTag());
}

void GeminiPanel::setGeminiModeMenu(int tag)
{
    if (tag >= 51 && tag <= 53)
        m_mode->markItem({51, 52, 53}, tag);
    else if (tag >= 54 && tag <= 60)
        m_mode->markItem({54, 55, 56, 57, 58, 59, 60}, tag);
    else
        m_mode->update();
}

void GeminiPanel::setGeminiBaudMenu(int tag)
{
    baudPopUp()->markItem({42, 43, 44, 45, 47}, tag);
}

void GeminiPanel::setGeminiGuideSpeedMenu(int tag)
{
    m_guideSpeed->markItem({62, 63, 64, 65, 66, 67, 68}, tag);
}

void GeminiPanel::setGeminiCenterSpeedMenu(int tag)
{
    m_centerSpeed->markItem({71, 72, 73, 74, 75, 76, 77}, tag);
}

void GeminiPanel::setGeminiSlewSpeedMenu(int tag)
{
    m_slewSpeed->markItem({81, 82, 83, 84, 85, 86, 87}, tag);
}
