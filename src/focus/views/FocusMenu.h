#pragma once

#include <QMenu>

#include <array>

class FocuserConnection;

// The Focuser menu: connects and disconnects the Optec TCF-S (tag 1),
// RoboFocus (2), JMI (3) and MoonLite (5) focusers on the focuser serial
// slot and the FCUSB controller (4). Each item carries its focuser's
// connection as a check mark; only one serial focuser connects at a time,
// so the other serial items are disabled while one is. An item whose
// focuser the program does not have is disabled.
class FocusMenu final : public QMenu {
    Q_OBJECT
public:
    static constexpr int kOptecTag = 1;
    static constexpr int kRoboTag = 2;
    static constexpr int kJMITag = 3;
    static constexpr int kFCUSBTag = 4;
    static constexpr int kMoonTag = 5;

    explicit FocusMenu(QWidget* parent = nullptr);

    // One setter per focuser, so that one joining never drops another.
    void setOptec(FocuserConnection* focuser) { m_focusers[kOptecTag] = focuser; }
    void setRobo(FocuserConnection* focuser) { m_focusers[kRoboTag] = focuser; }
    void setJMI(FocuserConnection* focuser) { m_focusers[kJMITag] = focuser; }
    void setFCUSB(FocuserConnection* focuser) { m_focusers[kFCUSBTag] = focuser; }
    void setMoonLite(FocuserConnection* focuser) { m_focusers[kMoonTag] = focuser; }

    // The item's connect toggle; other tags do nothing.
    void focuserMenuAction(int tag);
    // Sets every item's check mark and enabling.
    void validateMenu();
    QAction* itemWithTag(int tag) const;

private:
    bool isConnected(int tag) const;

    std::array<FocuserConnection*, kMoonTag + 1> m_focusers{};
};
