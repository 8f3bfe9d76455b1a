#pragma once

#include "focus/AutoFocusDisplay.h"
#include "focus/FocuserDisplay.h"
#include "mount/links/ConnectMenuLinks.h"
#include "platform/KeptView.h"
#include "platform/widgets/HidesOnDeactivate.h"

#include <functional>
#include <optional>

class FocuserWindow;

// A serial focuser's window as its frame, the Connect menu, the hand-control
// panels and the window settings reach it, made only when it is first
// shown. Until then what the frame shows is kept, and the window shows it
// all as it is made. A model adds its own fields in a subclass that owns
// the window.
class FocuserWindowLink : public FocuserDisplay,
                          public AutoFocusDisplay,
                          public MenuPanel,
                          public HidesOnDeactivate {
public:
    void showStatus(const QString& text) override;
    void showPosition(const QString& text) override;
    void showTemperature(const QString& text) override;
    void showCriticalFocusZone(const QString& text) override;
    // Makes the window if need be.
    void orderFront() override;
    void orderOut() override;

    void showRunning(bool running) override;
    void showProgress(int percent) override;
    void showFocusResult(quint16 bestFocus, float rms) override;
    void showRunPosition(quint16 position) override;
    void redrawCurve() override;

    bool isVisible() const override;
    void show() override { orderFront(); }
    void hide() override { orderOut(); }
    void setHide(bool hide) override;

    bool isWindowMade() const { return madeWindow() != nullptr; }
    // Joins `join` to the window now if it is made, else as it is made.
    virtual void whenMade(std::function<void(FocuserWindow&)> join) = 0;

protected:
    // The window, made at the first call.
    virtual FocuserWindow& window() = 0;
    // Null until made.
    virtual FocuserWindow* madeWindow() const = 0;
    // A window just made (its frame attached) shows what was kept.
    void fill(FocuserWindow& made);

private:
    KeptView<FocuserDisplay> m_fields;
    KeptView<AutoFocusDisplay> m_run;
    std::optional<bool> m_hide;
};
