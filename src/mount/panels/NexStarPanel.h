#pragma once

#include "mount/panels/HandPanel.h"

class QPushButton;

// The NexStar and SynScan panel: push-on/push-off direction buttons, slew
// speed, tracking mode and the sync button.
class NexStarPanel : public HandPanel {
    Q_OBJECT
public:
    static constexpr int kSyncTag = 30;

    NexStarPanel(Links links, QWidget* parent = nullptr);

    // The tracking mode 0..3 the mount reports.
    void setNexStarModeMatrix(int mode);
    void setSynScanSyncButton(bool synced);
    void setSyncEnable(bool enable);

    RadioMatrix* speedMatrix() const { return m_speed; }
    RadioMatrix* trackMatrix() const { return m_track; }
    QPushButton* syncButton() const { return m_sync; }
    // With the Option key held a SynScan's offsets are cleared instead.
    void syncNexStarAction(bool optionHeld);

protected:
    void sendCode(int code) override;
    void lockedOff(int code) override;
    void keySlew(int code) override;

private:
    RadioMatrix* m_speed;
    RadioMatrix* m_track;
    QPushButton* m_sync;
};
