#pragma once

#include "mount/panels/HandPanel.h"

// The iEQ45 panel: slews with the slew on/off lock, which stop through the
// mount's own stop at once; slew speed, tracking speed and mode; park, site,
// date and sync. Its tracking and set-up controls act without a connection
// test, and it takes no keys.
class IEQ45Panel : public HandPanel {
    Q_OBJECT
public:
    static constexpr int kSlewSpeedMatrixTag = 18;
    static constexpr int kTrackSpeedTag = 24;
    static constexpr int kTrackModeTag = 29;
    static constexpr int kSyncTag = 31;
    static constexpr int kDateTag = 32;
    static constexpr int kSiteTag = 33;
    static constexpr int kParkTag = 34;

    IEQ45Panel(Links links, QWidget* parent = nullptr);

    RadioMatrix* matrix(int tag) const;

    void slewIEQ45Action(int tag);
    void trackIEQ45Action(int tag);
    void setupIEQ45Action(int tag);

protected:
    void sendCode(int code) override;
    void holdStop() override;
    void lockedOn(int code) override;
    void lockedOff(int code) override;
    bool takesKeys() const override { return false; }

private:
    RadioMatrix* m_slewSpeed;
    RadioMatrix* m_trackSpeed;
    RadioMatrix* m_trackMode;
};
