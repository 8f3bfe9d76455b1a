#include "app/WebcamLink.h"

#include "app/FocusLink.h"
#include "app/GuideLink.h"
#include "app/WindowFrames.h"
#include "camera/views/guide/GuidePanel.h"
#include "camera/views/webcam/CaptureView.h"
#include "camera/views/webcam/WebcamPanel.h"
#include "chart/ChartOutlets.h"
#include "model/settings/PrefControl.h"
#include "model/settings/PrefLinks.h"
#include "mount/panels/ConnectMenu.h"
#include "platform/DebugLog.h"

WebcamLink::WebcamLink(PrefControl& prefs, DebugLog& log, const QString& resources,
                       const QString& movieDirectory, QWidget* window)
    : m_controller(m_cameras, DebugWriter([&prefs] { return prefs.isDebug(); }, &log), resources,
                   movieDirectory),
      m_panel(std::make_unique<WebcamPanel>(m_controller, window))
{
    // Taller than a laptop's screen: its content scrolls there.
    keepScrollingWindowFrame(prefs, *m_panel, QStringLiteral("Webcam"), window, Qt::BottomLeftCorner);
}

WebcamLink::~WebcamLink()
{
    m_controller.disconnect();
    // The guider outlives the webcam: it must not read a gone frame.
    if (m_guide)
        m_guide->setFrameSource(nullptr);
    if (m_focus) {
        m_focus->cameras().setWebcam(nullptr);
        m_focus->setAutoFocusObserver(nullptr);
    }
}

void WebcamLink::joinFocus(FocusLink& focus)
{
    m_focusSource = std::make_unique<WebcamFocusSource>(m_controller);
    m_focus = &focus;
    focus.cameras().setWebcam(m_focusSource.get());
    focus.setAutoFocusObserver([this](const FocusLink::AutoFocusRuns& runs) {
        // The new marks are in place before the old ones go.
        std::array<std::unique_ptr<AutoFocusCurveRun>, 4> curveRuns;
        WebcamPipeline::Focusers marks{};
        for (std::size_t i = 0; i < runs.size(); ++i) {
            if (runs[i]) {
                curveRuns[i] = std::make_unique<AutoFocusCurveRun>(*runs[i]);
                marks[i] = curveRuns[i].get();
            }
        }
        m_controller.setFocusers(marks);
        m_curveRuns = std::move(curveRuns);
    });
}

void WebcamLink::joinGuide(GuideLink& guide)
{
    m_guide = &guide.webcamGuide();
    m_guideBridge = std::make_unique<WebcamGuideBridge>(*m_guide);
    m_guide->setFrameSource(&m_controller.focusImage());
    m_controller.setGuide(m_guideBridge.get());
    m_panel->captureView().setGuide(m_guideBridge.get());
    m_panel->setGuidePanelMaker([&guide]() -> GuidePanel& { return guide.guidePanel(); });
}

void WebcamLink::fillLinks(PrefLinks& links)
{
    links.webcam = &m_controller;
}

void WebcamLink::fillOutlets(ChartOutlets& outlets)
{
    // The panel holds the controller's controls, and so their tool tips.
    outlets.webcamControl = m_panel.get();
    outlets.webcamPanel = m_panel.get();
}

void WebcamLink::joinConnectMenu(ConnectMenu& menu)
{
    menu.setWebcam(&m_controller);
    menu.setWebcamPanel(m_panel.get());
}
