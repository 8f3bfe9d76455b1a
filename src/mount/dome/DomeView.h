#pragma once

#include <QString>

// The dome board's panel as its controller updates it. The controller calls
// these on the main thread only.
class DomeView {
public:
    virtual ~DomeView() = default;
    virtual bool isGEM() const = 0;
    virtual void domeUpdateButtons() = 0;
    virtual void domeUpdateStatus() = 0;
    virtual void setDomeSetupText() = 0;
    virtual void setDomeCalText() = 0;
    virtual void setCalButtonTitle() = 0;
    virtual void setCalProgress(bool running) = 0;
    virtual void setProgress(bool running) = 0;
    virtual void setHomeTitle(const QString& title) = 0;
    // The rotate and shutter buttons show the controller's held states.
    virtual void setMotionButtons() = 0;
    // The connect's port scan has ended: failed, or the board connected.
    // A new board just set up and disconnected has told the user itself.
    virtual void domeConnectEnded(bool connected) = 0;
    // The Reset gave the board its new speed and disconnected; the user was told.
    virtual void domeBoardReset() = 0;
    // The board stopped answering and was disconnected; the user is told.
    virtual void domeLost() = 0;
};
