#pragma once

#include "app/CanonFocusSource.h"
#include "app/LazyToolPanel.h"
#include "camera/canon/CanonControl.h"
#include "find/tours/TourCamera.h"
#include "platform/LazyOwner.h"

#include <memory>

class CanonPanel;
class CanonSdk;
struct ChartOutlets;
class ConnectMenu;
class DebugLog;
class FocusLink;
class PrefControl;
class QWidget;
struct PrefLinks;

// The Canon camera as the program holds it: the controller on its SDK with
// its panel (made when first shown, at the latest as the camera connects),
// joined to the Connect menu, the chart, the quit sequence and the tours.
class CanonLink final : private TourCamera {
public:
    // The panel and the dialogs are children of `window`.
    CanonLink(PrefControl& prefs, DebugLog& log, std::unique_ptr<CanonSdk> sdk, QWidget* window);
    ~CanonLink() override;

    void fillLinks(PrefLinks& links);
    void fillOutlets(ChartOutlets& outlets);
    void joinConnectMenu(ConnectMenu& menu);
    // The focusers' autofocus runs measure the live view's frames; the
    // focusers go before the camera.
    void joinFocus(FocusLink& focus);
    // The panel, made by the first call.
    CanonPanel& canonPanel() { return m_panel.get(); }
    bool isPanelMade() const { return m_panel.isMade(); }
    LazyToolPanel<CanonPanel>& panelLink() { return m_panelLink; }
    TourCamera& tourCamera() { return *this; }
    CanonControl& canonControl() { return m_control; }

private:
    bool isCanonConnected() const override { return m_control.isCanonConnected(); }
    void canonStartBulbExposure(std::function<void(bool)> started) override
    {
        m_control.canonStartBulbExposure(std::move(started));
    }
    bool isCanonExposing() const override { return m_control.isCanonExposing(); }
    bool isCanonDownloading() const override { return m_control.isCanonDownloading(); }

    std::unique_ptr<CanonSdk> m_sdk;
    CanonControl m_control;
    // A child of the window, but it goes before the controller it shows.
    LazyOwner<CanonPanel> m_panel;
    LazyToolPanel<CanonPanel> m_panelLink{m_panel};
    std::unique_ptr<CanonFocusSource> m_focusSource;
};
