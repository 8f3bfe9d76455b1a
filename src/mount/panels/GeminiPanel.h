#pragma once

#include "mount/panels/PulsePanel.h"

// The Gemini panel: the LX200 panel's controls with Gemini's align and home,
// and pop-ups for its mode, guide, centring and slew speeds whose check
// marks show what the mount reports.
class GeminiPanel : public PulsePanel {
    Q_OBJECT
public:
    static constexpr int kModeTag = 31;
    static constexpr int kGuideSpeedTag = 36;
    static constexpr int kCenterSpeedTag = 37;
    static constexpr int kMaxSlewSpeedTag = 38;

    GeminiPanel(Links links, QWidget* parent = nullptr);

    void setSlewSpeedRadio(int tag);
    void setGeminiModeMenu(int tag);
    void setGeminiBaudMenu(int tag);
    void setGeminiGuideSpeedMenu(int tag);
    void setGeminiCenterSpeedMenu(int tag);
    void setGeminiSlewSpeedMenu(int tag);

    TaggedPopUp* popUp(int tag) const;

protected:
    void sendCode(int code) override;
    void holdCode(int code) override;
    void commandAction(int tag) override;

private:
    void speedChanged(int tag);

    TaggedPopUp* m_mode;
    TaggedPopUp* m_guideSpeed;
    TaggedPopUp* m_centerSpeed;
    TaggedPopUp* m_slewSpeed;
};
