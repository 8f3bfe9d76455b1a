#pragma once

#include "focus/AutoFocusDevice.h"
#include "focus/AutoFocusRun.h"
#include "focus/FocuserConnection.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <optional>

class AutoFocusDisplay;
class FocusCameras;
class FocuserControl;
class FocuserDisplay;
class HandControlPanels;
class PrefControl;
class ScopeControl;

// What the serial focuser windows share: the connect toggle with its texts
// and alert, the 1 s update timer that the autofocus run's timer block
// holds off, the watch that gives a focuser up once its line is gone or its
// replies stop, the tab guards, the autofocus parameters, the keys and the
// critical focus zone. A model supplies its start-up reads, its update, its
// moves and the autofocus hooks.
class FocuserFrame : public QObject, public AutoFocusDevice, public FocuserConnection {
    Q_OBJECT
public:
    static constexpr int kSamplesTag = 10;
    static constexpr int kImagesTag = 11;
    static constexpr int kStepsTag = 12;
    static constexpr int kAutoFocusTab = 2;
    static constexpr int kTemperatureTab = 3;
    static constexpr std::chrono::milliseconds kUpdateInterval{1000};
    // Failed reads (or replies of which nothing came) in a row that lose
    // the focuser.
    static constexpr int kLostAfter = 3;
    // Checks in a row that find the port hung up; a tick that finds it so
    // checks again this soon rather than at the next tick.
    static constexpr int kHungUpChecks = 2;
    static constexpr std::chrono::milliseconds kHungUpRecheck{500};

    struct Links {
        ScopeControl& scope;
        const PrefControl& prefs;
        FocusCameras& cameras;
    };

    FocuserFrame(FocuserControl& control, const Links& links, FocuserDisplay& display,
                 AutoFocusDisplay& curveDisplay, QObject* parent = nullptr);

    bool isFocuserConnected() const override;
    bool isFocuserConnecting() const override;
    quint64 progressCount() const override;
    MoveWatch::Overdue moveOverdue() const override;
    // The family's stop goes out to a move given up, which is watched no longer.
    bool haltRun() final;
    // Starts the search on the worker (its end shows the window or the
    // alert); a connected or searching focuser is disconnected.
    void focuserConnect() override;

    // Whether the tab with this identifier may be selected now.
    bool shouldSelectTab(int identifier) const;
    // The samples (10) and images (11) pop-ups give their items' tags, the
    // steps field (12) its number.
    void parameterAction(int tag, int value);
    // Escape and the move keys while connected; true when taken.
    bool keyAction(int key);
    // A move key let go; true when taken.
    bool keyUpAction(int key);
    void setHandPanels(HandControlPanels* panels) { m_panels = panels; }

    AutoFocusRun& autoFocus() { return m_run; }
    const AutoFocusRun& autoFocus() const { return m_run; }
    bool isUpdateTimerActive() const { return m_updateTimer.isActive(); }
    // The update timer's tick: the model's update, unless the timer block
    // is set or an earlier exchange has not answered; a focuser whose
    // replies stopped is given up here.
    void updateTimer();
    // The text of the critical-focus-zone field for the current telescope.
    QString criticalFocusZoneText() const;

    // A model whose status timer runs at another pace (MoonLite: 1.5 s);
    // tests that tick the frame themselves set it far apart.
    void setUpdateInterval(std::chrono::milliseconds interval) { m_updateTimer.setInterval(interval); }

protected:
    // The model's state read once connected (position, temperature, ...).
    virtual void readStartUp() = 0;
    // The 1 s update; not called while the timer block is set, nor while
    // an earlier exchange has not answered.
    virtual void updateTick() = 0;
    // Sends the family's stop; false for a family that has none.
    virtual bool haltMove() { return false; }
    virtual double criticalFocusZone(double focalRatio) const = 0;
    // "<model> connection failed."
    virtual QString connectFailedMessage() const = 0;
    // Whether the temperature probe answers (a bad probe refuses its tab).
    virtual bool isTemperatureGood() const { return true; }
    virtual void moveIn() {}
    virtual void moveOut() {}
    // A held move key was let go.
    virtual void stopMove() {}
    // After the common texts of a disconnect.
    virtual void didDisconnect() {}
    // The focuser's name in the lost-connection alert.
    virtual QString focuserName() const = 0;
    // A model's own read that tells whether the focuser still answers:
    // kLostAfter failures in a row disconnect it with the alert.
    void noteRead(bool answered);
    // Disconnects as the menu would and says which focuser was lost.
    void loseConnection();

    FocuserDisplay& display() const { return m_display; }
    FocuserControl& control() const { return m_control; }

private:
    // The search's outcome: the start-up reads and the timer, or the alert.
    void connectEnded(bool found);
    // A move outside a run that made no progress for too long, or outlasted
    // its ceiling, is stopped and the user told where it was last reported;
    // motion no move asked for is stopped each time, and told once.
    void giveUpOverdueMove();
    void checkLine();
    void lineChecked(bool hungUp);

    FocuserControl& m_control;
    ScopeControl& m_scope;
    const PrefControl& m_prefs;
    FocusCameras& m_cameras;
    FocuserDisplay& m_display;
    HandControlPanels* m_panels = nullptr;
    AutoFocusRun m_run;
    QTimer m_updateTimer;
    int m_failedReads = 0;
    int m_hungUpChecks = 0;
};
