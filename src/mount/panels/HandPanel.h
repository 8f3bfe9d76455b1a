#pragma once

#include "mount/links/FocuserWindows.h"
#include "platform/widgets/FloatingPanel.h"
#include "platform/widgets/InactiveHider.h"

#include <QDialog>

#include <array>
#include <atomic>
#include <utility>
#include <vector>

class PanelMount;
class PrefControl;
class QAbstractButton;
class QBoxLayout;
class QCheckBox;
class QGroupBox;
class QPushButton;
class RadioMatrix;

// Direction codes of the panels' buttons and keys.
constexpr int kDirUp = 1;
constexpr int kDirDown = 2;
constexpr int kDirLeft = 3;
constexpr int kDirRight = 4;
constexpr int kDirStop = 5;
constexpr int kLockTag = 6;
constexpr int kSlewSpeedTag = 14;

// A text of the "Scope" table.
QString scopeText(const char* key);

// What every hand-control panel shares: a floating tool window that fades to
// a quarter while the pointer is away (with transparent panels on), hides
// while the program is inactive when asked, places itself on a single
// screen, carries tool tips the user may switch off, and takes the slew
// keys. Its five direction buttons (tags 1-5) work in hold mode (press
// sends the code, release stops) or, locked, as push-on/push-off buttons.
// A subclass says where each code goes.
class HandPanel : public QDialog, public FloatingPanel {
    Q_OBJECT
public:
    static constexpr double kTransparentAlpha = 0.25;

    struct Links {
        PrefControl& prefs;
        PanelMount& mount;
        // Read as each key comes: focusers join after the panels.
        const FocuserWindows* focusers = nullptr;
    };

    HandPanel(Links links, QWidget* parent);

    void orderFront() override;
    void orderOut() override { hide(); }
    bool isPanelVisible() const override { return isVisible(); }
    void setTransparency() override;
    void setHide(bool hide) override { m_inactiveHider.setHides(hide); }
    void setToolTips() override;
    void clearToolTips() override;

    bool isLocked() const { return m_isLocked; }
    QAbstractButton* directionButton(int tag) const;
    // The command or lock button carrying `tag`; null when the panel has none.
    QPushButton* buttonWithTag(int tag) const;
    // The direction buttons' action, on press and release in hold mode and
    // on each click when locked; `tag` is the button's.
    void directionAction(int tag);
    // The lock control switched on or off.
    void lockAction(bool on);
    // Switches the four direction buttons off.
    void setSlewButtonsOff();

protected:
    PanelMount& mount() const { return m_mount; }
    PrefControl& prefs() const { return m_prefs; }
    bool isConnected() const;

    // Builders for the subclasses' layouts.
    QBoxLayout* panelLayout() const { return m_layout; }
    QGroupBox* addBox(const char* title);
    void addDirectionButtons(QGroupBox* box);
    QPushButton* addButton(QBoxLayout* layout, const char* title, int tag);
    RadioMatrix* addSpeedMatrix(QBoxLayout* layout, int tag, bool withGuide);
    QCheckBox* addLockBox(QBoxLayout* layout);
    void addTip(QWidget* widget, const char* tip);
    // The tips of the five direction buttons; `leftIsWest` for the mounts
    // whose left slews west.
    void addSlewTips(bool leftIsWest);

    // The family entry of this panel.
    virtual void sendCode(int code) = 0;
    // Hold-mode presses; stops on release and after a lock change.
    virtual void holdCode(int code) { sendCode(code); }
    virtual void holdStop() { holdCode(kDirStop); }
    // A locked click that turned a button on (after the opposite went off).
    virtual void lockedOn(int code) { sendCode(code); }
    // A locked click that turned direction 1-4 off.
    virtual void lockedOff(int code);
    // Whether a direction, lock or speed action may go on (Temma refuses
    // before its first sync).
    virtual bool mayAct() { return true; }
    // The key slews; none by default.
    virtual void keySlew(int) {}
    virtual bool takesKeys() const { return true; }

    void switchOpposite(int code);
    // Direction buttons that are push-on/push-off for good (no lock control).
    void useToggleButtons() { setLockedButtons(true); }

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void setLockedButtons(bool locked);
    void holdAction(int tag);
    void lockedAction(int tag);

    PrefControl& m_prefs;
    PanelMount& m_mount;
    const FocuserWindows* m_focusers;
    QBoxLayout* m_layout;
    std::array<QPushButton*, 5> m_direction{};
    std::vector<std::pair<QWidget*, QString>> m_tips;
    std::atomic<bool> m_isLocked = false;  // read by the mount's worker
    // Tells a hold-mode press from its release: set when a code other than
    // stop went out, cleared with the stop. One panel of each kind exists.
    bool m_isPressed = false;
    InactiveHider m_inactiveHider{*this};
};
