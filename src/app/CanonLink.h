#pragma once

#include "camera/canon/CanonControl.h"
#include "find/tours/TourCamera.h"

#include <memory>

class CanonSdk;
class ConnectMenu;
class DebugLog;
class PrefControl;
class QWidget;
struct PrefLinks;

// The Canon camera as the program holds it: the controller on its SDK,
// joined to the Connect menu, the quit sequence and the tours.
class CanonLink final : private TourCamera {
public:
    // The dialogs are children of `window`.
    CanonLink(PrefControl& prefs, DebugLog& log, std::unique_ptr<CanonSdk> sdk, QWidget* window);
    ~CanonLink() override;

    void fillLinks(PrefLinks& links);
    void joinConnectMenu(ConnectMenu& menu);
    TourCamera& tourCamera() { return *this; }
    CanonControl& canonControl() { return m_control; }

private:
    bool isCanonConnected() const override { return m_control.isCanonConnected(); }
    bool canonStartBulbExposure() override { return m_control.canonStartBulbExposure(); }
    bool isCanonExposing() const override { return m_control.isCanonExposing(); }
    bool isCanonDownloading() const override { return m_control.isCanonDownloading(); }

    std::unique_ptr<CanonSdk> m_sdk;
    CanonControl m_control;
};
