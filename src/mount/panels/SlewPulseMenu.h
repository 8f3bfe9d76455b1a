#pragma once

#include <QMenu>

class GeminiPanel;
class LX200Panel;
class PanelMount;

// The direction buttons' context menu on the LX200 and Gemini panels: a
// fixed pulse length of 1/10, 1/4 or 1/2 s for each slew, or none.
class SlewPulseMenu : public QMenu {
    Q_OBJECT
public:
    SlewPulseMenu(LX200Panel& lx200Panel, GeminiPanel& geminiPanel, const PanelMount& mount,
                  QWidget* parent = nullptr);

    // Item tags: 0 off, 1 a tenth, 2 a quarter, 3 a half second.
    void slewPulseMenuAction(int tag);

private:
    LX200Panel& m_lx200Panel;
    GeminiPanel& m_geminiPanel;
    const PanelMount& m_mount;
};
