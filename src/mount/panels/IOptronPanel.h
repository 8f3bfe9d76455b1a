#pragma once

#include "mount/panels/HandPanel.h"

// The iOptron panel: slews with the slew on/off lock, speeds, the park
// position and the park, site, date and sync commands.
class IOptronPanel : public HandPanel {
    Q_OBJECT
public:
    static constexpr int kParkPositionTag = 20;
    static constexpr int kParkTag = 21;
    static constexpr int kSyncTag = 31;
    static constexpr int kDateTag = 32;
    static constexpr int kSiteTag = 33;

    IOptronPanel(Links links, QWidget* parent = nullptr);

    RadioMatrix* speedMatrix() const { return m_speed; }
    RadioMatrix* parkMatrix() const { return m_park; }

    void parkIOptronAction(int tag);
    void setupIOptronAction(int tag);

protected:
    void sendCode(int code) override;
    void keySlew(int code) override;

private:
    RadioMatrix* m_speed;
    RadioMatrix* m_park;
};
