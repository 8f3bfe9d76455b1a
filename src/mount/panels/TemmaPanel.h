#pragma once

#include "mount/panels/HandPanel.h"

#include <atomic>

// The Temma II panel: slews (refused until the mount is synced), the two
// syncs, tracking rate, supply voltage, pier side and the guide rate.
class TemmaPanel : public HandPanel {
    Q_OBJECT
public:
    static constexpr int kStarSyncTag = 20;
    static constexpr int kZenithSyncTag = 21;
    static constexpr int kTrackRateTag = 34;
    static constexpr int kVoltsTag = 35;
    static constexpr int kPierSideTag = 36;
    static constexpr int kGuideRateTag = 40;

    TemmaPanel(Links links, QWidget* parent = nullptr);

    // Row 0 east, row 1 west.
    void setSideRadio(bool east);
    // Shows the RA motor on stand-by.
    void setTrackRadio();
    // The slow speed, percent of sidereal; safe from any thread.
    int guideRate() const { return m_guideRate; }

    RadioMatrix* speedMatrix() const { return m_speed; }
    RadioMatrix* trackMatrix() const { return m_trackRate; }
    RadioMatrix* voltsMatrix() const { return m_volts; }
    RadioMatrix* sideMatrix() const { return m_side; }
    RadioMatrix* guideMatrix() const { return m_guide; }
    QPushButton* syncButton(int tag) const { return tag == kStarSyncTag ? m_starSync : m_zenithSync; }

    void syncTemmaAction(int tag);
    void trackTemmaAction(int tag, int selected);

protected:
    void sendCode(int code) override;
    void lockedOn(int code) override;
    void lockedOff(int code) override;
    bool mayAct() override;
    void keySlew(int code) override;

private:
    RadioMatrix* m_speed;
    RadioMatrix* m_trackRate;
    RadioMatrix* m_volts;
    RadioMatrix* m_side;
    RadioMatrix* m_guide;
    QPushButton* m_starSync;
    QPushButton* m_zenithSync;
    std::atomic<int> m_guideRate;
};
