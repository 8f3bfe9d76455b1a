#pragma once

#include "mount/panels/HandPanel.h"

// The Meade Basic panel: slews, speeds, the lock and Sync.
class MeadeBasicPanel : public HandPanel {
    Q_OBJECT
public:
    static constexpr int kSyncTag = 30;

    MeadeBasicPanel(Links links, QWidget* parent = nullptr);

    RadioMatrix* speedMatrix() const { return m_speed; }
    QPushButton* syncButton() const { return m_sync; }

protected:
    void sendCode(int code) override;
    void keySlew(int code) override;

private:
    RadioMatrix* m_speed;
    QPushButton* m_sync;
};
