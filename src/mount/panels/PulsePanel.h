#pragma once

#include "mount/panels/HandPanel.h"

#include <atomic>

class QMenu;
class TaggedPopUp;

// What the LX200 and Gemini panels share: slew speeds, the focuser box,
// the lock, the baud pop-up, the command buttons and the fixed pulse length
// chosen from the slew pulse menu (which the mount reads from its worker).
class PulsePanel : public HandPanel {
    Q_OBJECT
public:
    static constexpr int kFocusIn = 20;
    static constexpr int kFocusOut = 21;
    static constexpr int kFocusStop = 22;
    static constexpr int kFocusSpeedTag = 29;
    static constexpr int kBaudTag = 40;

    bool isTenth() const { return m_isTenth; }
    bool isQuarter() const { return m_isQuarter; }
    bool isHalf() const { return m_isHalf; }
    void setIsTenth(bool on) { m_isTenth = on; }
    void setIsQuarter(bool on) { m_isQuarter = on; }
    void setIsHalf(bool on) { m_isHalf = on; }
    bool isPulse() const { return m_isTenth || m_isQuarter || m_isHalf; }

    // Disables the baud pop-up: the mount cannot change its line speed.
    void disableBaud();
    // The slew pulse menu becomes the direction buttons' context menu.
    void setSlewPulseMenu(QMenu* menu);

    RadioMatrix* speedMatrix() const { return m_speed; }
    RadioMatrix* focusSpeedMatrix() const { return m_focusSpeed; }
    QPushButton* focusButton(int tag) const;
    TaggedPopUp* baudPopUp() const { return m_baud; }

    void focusAction(int tag);

protected:
    PulsePanel(Links links, QWidget* parent);
    // Builds the shared boxes; the commands and the baud items are the panel's.
    void buildControls(std::initializer_list<std::pair<int, const char*>> baudItems);
    QPushButton* addCommand(QBoxLayout* layout, const char* title, int tag, const char* tip);
    // A pop-up among the commands; choosing an item is its command.
    TaggedPopUp* addPopUp(int tag, const char* title,
                          std::initializer_list<std::pair<int, const char*>> items);
    // A command button or pop-up (by its own tag) was used.
    virtual void commandAction(int tag) = 0;
    void lockedOff(int code) override;
    void keySlew(int code) override;
    void addFocusTips();

    QBoxLayout* m_commands = nullptr;

private:
    RadioMatrix* m_speed = nullptr;
    RadioMatrix* m_focusSpeed = nullptr;
    QPushButton* m_focusIn = nullptr;
    QPushButton* m_focusOut = nullptr;
    QPushButton* m_focusStopButton = nullptr;
    TaggedPopUp* m_baud = nullptr;
    std::atomic<bool> m_isTenth = false;
    std::atomic<bool> m_isQuarter = false;
    std::atomic<bool> m_isHalf = false;
};
