#pragma once

#include "app/AutoFocusCurveRun.h"
#include "app/WebcamFocusSource.h"
#include "app/WebcamGuideBridge.h"
#include "camera/webcam/LoadedFrameSource.h"
#include "camera/webcam/WebCamController.h"

#include <memory>

struct ChartOutlets;
class ConnectMenu;
class DebugLog;
class FocusLink;
class FrameSource;
class GuideLink;
class PrefControl;
class QWidget;
class WebcamPanel;
struct PrefLinks;

// The webcam controller on the system's cameras, with its panel, joined to
// the Connect menu, the chart's window settings and the quit sequence.
class WebcamLink final {
public:
    // `resources` holds the overlay pictures under "Buttons"; movies go to
    // `movieDirectory` (the data folder's "Misc") by default.
    WebcamLink(PrefControl& prefs, DebugLog& log, const QString& resources, const QString& movieDirectory,
               QWidget* window);
    ~WebcamLink();

    void fillLinks(PrefLinks& links);
    void fillOutlets(ChartOutlets& outlets);
    void joinConnectMenu(ConnectMenu& menu);
    // The autoguider measures this webcam's frames, marks its stars on them
    // and shows its controls in the panel.
    void joinGuide(GuideLink& guide);
    // The focusers' autofocus runs measure this webcam's frames, which mark
    // the star a run measures.
    void joinFocus(FocusLink& focus);

    // Frames from elsewhere than the system's cameras (a test's synthetic ones).
    void useSource(FrameSource& source) { m_controller.setSource(source); }

    WebCamController& controller() { return m_controller; }
    WebcamPanel& panel() const { return *m_panel; }

private:
    LoadedFrameSource m_cameras;
    // Before the controller and panel that call them, so that they go after them.
    WebcamGuide* m_guide = nullptr;
    std::unique_ptr<WebcamGuideBridge> m_guideBridge;
    FocusLink* m_focus = nullptr;
    std::unique_ptr<WebcamFocusSource> m_focusSource;
    std::array<std::unique_ptr<AutoFocusCurveRun>, 4> m_curveRuns;
    WebCamController m_controller;
    // A child of the window, but it goes before the controller it shows.
    std::unique_ptr<WebcamPanel> m_panel;
};
