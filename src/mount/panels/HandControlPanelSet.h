#pragma once

#include "mount/links/HandControlPanels.h"
#include "mount/panels/HandPanel.h"

#include <QObject>

#include <functional>

class GeminiPanel;
class IEQ45Panel;
class IOptronPanel;
class LX200Panel;
class MeadeBasicPanel;
class NexStarPanel;
class PulsePanel;
class SlewPulseMenu;
class TemmaPanel;

// The seven hand-control panels and the slew pulse menu, as the mount
// controller and the Connect menu reach them. Calls from the worker are
// carried to the main thread; the values the worker reads are safe to read
// from any thread.
class HandControlPanelSet final : public QObject, public HandControlPanels {
    Q_OBJECT
public:
    HandControlPanelSet(PrefControl& prefs, PanelMount& mount, QWidget* parent);
    ~HandControlPanelSet() override;

    HandPanel* panel(MountPanel which) const;
    LX200Panel& lx200Panel() const { return *m_lx200; }
    MeadeBasicPanel& meadeBasicPanel() const { return *m_meadeBasic; }
    GeminiPanel& geminiPanel() const { return *m_gemini; }
    TemmaPanel& temmaPanel() const { return *m_temma; }
    NexStarPanel& nexStarPanel() const { return *m_nexStar; }
    IOptronPanel& iOptronPanel() const { return *m_iOptron; }
    IEQ45Panel& iEQ45Panel() const { return *m_iEQ45; }
    SlewPulseMenu& slewPulseMenu() const { return *m_pulseMenu; }
    // The focusers whose window Escape on a panel brings forward.
    void setFocuserWindows(const FocuserWindows& focusers) { m_focusers = focusers; }

    bool isVisible(MountPanel which) const override;
    void showPanel(MountPanel which, const QString& title) override;
    void hidePanel(MountPanel which) override;
    void setAlpha(MountPanel which, double alpha) override;
    void disableBaud(MountPanel which) override;
    void setAPSyncTitle() override;

    bool isLocked(MountPanel which) const override;
    bool isTenth(MountPanel which) const override;
    bool isQuarter(MountPanel which) const override;
    bool isHalf(MountPanel which) const override;
    void setSlewButtonsOff() override;
    void setSideRadio(bool east) override;
    void setTrackRadio() override;
    int guideRate() const override;
    void setNexStarModeMatrix(int mode) override;
    void setSynScanSyncButton(bool synced) override;
    void setSyncEnable(bool enable) override;
    void setSlewSpeedRadio(int tag) override;
    void setGeminiModeMenu(int tag) override;
    void setGeminiBaudMenu(int tag) override;
    void setGeminiGuideSpeedMenu(int tag) override;
    void setGeminiCenterSpeedMenu(int tag) override;
    void setGeminiSlewSpeedMenu(int tag) override;

private:
    // Runs `change` on the main thread: at once there, queued from the worker.
    void onMain(std::function<void()> change);
    const PulsePanel* pulsePanel(MountPanel which) const;

    FocuserWindows m_focusers;
    LX200Panel* m_lx200;
    MeadeBasicPanel* m_meadeBasic;
    GeminiPanel* m_gemini;
    TemmaPanel* m_temma;
    NexStarPanel* m_nexStar;
    IOptronPanel* m_iOptron;
    IEQ45Panel* m_iEQ45;
    SlewPulseMenu* m_pulseMenu;
};
