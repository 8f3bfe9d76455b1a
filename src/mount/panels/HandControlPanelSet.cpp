#include "mount/panels/HandControlPanelSet.h"

#include "mount/panels/GeminiPanel.h"
#include "mount/panels/IEQ45Panel.h"
#include "mount/panels/IOptronPanel.h"
#include "mount/panels/LX200Panel.h"
#include "mount/panels/MeadeBasicPanel.h"
#include "mount/panels/NexStarPanel.h"
#include "mount/panels/SlewPulseMenu.h"
#include "mount/panels/TemmaPanel.h"

HandControlPanelSet::HandControlPanelSet(PrefControl& prefs, PanelMount& mount, QWidget* parent)
    : QObject(parent),
      m_lx200(new LX200Panel({prefs, mount, &m_focusers}, parent)),
      m_meadeBasic(new MeadeBasicPanel({prefs, mount, &m_focusers}, parent)),
      m_gemini(new GeminiPanel({prefs, mount, &m_focusers}, parent)),
      m_temma(new TemmaPanel({prefs, mount, &m_focusers}, parent)),
      m_nexStar(new NexStarPanel({prefs, mount, &m_focusers}, parent)),
      m_iOptron(new IOptronPanel({prefs, mount, &m_focusers}, parent)),
      m_iEQ45(new IEQ45Panel({prefs, mount, &m_focusers}, parent)),
      m_pulseMenu(new SlewPulseMenu(*m_lx200, *m_gemini, mount, parent))
{
    m_lx200->setSlewPulseMenu(m_pulseMenu);
    m_gemini->setSlewPulseMenu(m_pulseMenu);
}

HandControlPanelSet::~HandControlPanelSet() = default;

HandPanel* HandControlPanelSet::panel(MountPanel which) const
{
    switch (which) {
    case MountPanel::LX200: return m_lx200;
    case MountPanel::MeadeBasic: return m_meadeBasic;
    case MountPanel::Gemini: return m_gemini;
    case MountPanel::Temma: return m_temma;
    case MountPanel::NexStar: return m_nexStar;
    case MountPanel::IOptron: return m_iOptron;
    case MountPanel::IEQ45: return m_iEQ45;
    case MountPanel::None: break;
    }
    return nullptr;
}

const PulsePanel* HandControlPanelSet::pulsePanel(MountPanel which) const
{
    if (which == MountPanel::LX200)
        return m_lx200;
    if (which == MountPanel::Gemini)
        return m_gemini;
    return nullptr;
}

void HandControlPanelSet::onMain(std::function<void()> change)
{
    QMetaObject::invokeMethod(this, std::move(change));
}

bool HandControlPanelSet::isVisible(MountPanel which) const
{
    const HandPanel* shown = panel(which);
    return shown && shown->isVisible();
}

void HandControlPanelSet::showPanel(MountPanel which, const QString& title)
{
    if (HandPanel* shown = panel(which)) {
        shown->setWindowTitle(title);
        shown->setWindowOpacity(1.0);
        shown->orderFront();
    }
}

void HandControlPanelSet::hidePanel(MountPanel which)
{
    if (HandPanel* shown = panel(which))
        shown->orderOut();
}

void HandControlPanelSet::setAlpha(MountPanel which, double alpha)
{
    if (HandPanel* shown = panel(which))
        shown->setWindowOpacity(alpha);
}

void HandControlPanelSet::disableBaud(MountPanel which)
{
    if (which == MountPanel::LX200)
        m_lx200->disableBaud();
    else if (which == MountPanel::Gemini)
        m_gemini->disableBaud();
}

void HandControlPanelSet::setAPSyncTitle()
{
    m_lx200->setAPSyncTitle();
}

bool HandControlPanelSet::isLocked(MountPanel which) const
{
    const HandPanel* shown = panel(which);
    return shown && shown->isLocked();
}

bool HandControlPanelSet::isTenth(MountPanel which) const
{
    const PulsePanel* pulse = pulsePanel(which);
    return pulse && pulse->isTenth();
}

bool HandControlPanelSet::isQuarter(MountPanel which) const
{
    const PulsePanel* pulse = pulsePanel(which);
    return pulse && pulse->isQuarter();
}

bool HandControlPanelSet::isHalf(MountPanel which) const
{
    const PulsePanel* pulse = pulsePanel(which);
    return pulse && pulse->isHalf();
}

int HandControlPanelSet::guideRate() const
{
    return m_temma->guideRate();
}

void HandControlPanelSet::setSlewButtonsOff()
{
    onMain([this] { m_lx200->setSlewButtonsOff(); });
}

void HandControlPanelSet::setSideRadio(bool east)
{
    onMain([this, east] { m_temma->setSideRadio(east); });
}

void HandControlPanelSet::setTrackRadio()
{
    onMain([this] { m_temma->setTrackRadio(); });
}

void HandControlPanelSet::setNexStarModeMatrix(int mode)
{
    onMain([this, mode] { m_nexStar->setNexStarModeMatrix(mode); });
}

void HandControlPanelSet::setSynScanSyncButton(bool synced)
{
    onMain([this, synced] { m_nexStar->setSynScanSyncButton(synced); });
}

void HandControlPanelSet::setSyncEnable(bool enable)
{
    onMain([this, enable] { m_nexStar->setSyncEnable(enable); });
}

void HandControlPanelSet::setSlewSpeedRadio(int tag)
{
    onMain([this, tag] { m_gemini->setSlewSpeedRadio(tag); });
}

void HandControlPanelSet::setGeminiModeMenu(int tag)
{
    onMain([this, tag] { m_gemini->setGeminiModeMenu(tag); });
}

void HandControlPanelSet::setGeminiBaudMenu(int tag)
{
    onMain([this, tag] { m_gemini->setGeminiBaudMenu(tag); });
}

void HandControlPanelSet::setGeminiGuideSpeedMenu(int tag)
{
    onMain([this, tag] { m_gemini->setGeminiGuideSpeedMenu(tag); });
}

void HandControlPanelSet::setGeminiCenterSpeedMenu(int tag)
{
    onMain([this, tag] { m_gemini->setGeminiCenterSpeedMenu(tag); });
}

void HandControlPanelSet::setGeminiSlewSpeedMenu(int tag)
{
    onMain([this, tag] { m_gemini->setGeminiSlewSpeedMenu(tag); });
}
