#pragma once

#include "ProbeFocuser.h"

#include "focus/FocusCameras.h"
#include "mount/MountFixture.h"

#include <memory>

// The made-up focuser on one simulated port that answers its probe, beside
// the mount fixture's controller, settings and hand-control panels; the
// frame is made on the displays a test gives.
class FocuserFixture : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        port = std::make_unique<PtyDevice>();
        port->simulator().answer(ProbeFocuserControl::kProbe, "PONG#");
        port->start();
        serial->setExtraPorts({port->path()});
        serial->getPortNames();
        worker = std::make_unique<ScopeTestWorker>(*scope);
        control = std::make_unique<ProbeFocuserControl>(*serial, *worker);
    }
    void TearDown() override
    {
        frame.reset();
        control.reset();
        worker.reset();
        MountFixture::TearDown();
    }
    void makeFrame(FocuserDisplay& display, AutoFocusDisplay& curve)
    {
        frame = std::make_unique<ProbeFocuserFrame>(
            *control, FocuserFrame::Links{*scope, *prefs, cameras}, display, curve);
        frame->setHandPanels(&panels);
    }

    // The frame's connect toggle, and the search on the worker to its end.
    void toggleConnect()
    {
        frame->focuserConnect();
        control->settle();
    }

    std::unique_ptr<PtyDevice> port;
    FocusCameras cameras;
    FakeFocuser stillFocuser;
    FakeStarCamera webcam{stillFocuser};
    std::unique_ptr<ScopeTestWorker> worker;
    std::unique_ptr<ProbeFocuserControl> control;
    std::unique_ptr<ProbeFocuserFrame> frame;
};
