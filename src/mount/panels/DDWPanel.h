#pragma once

#include "model/settings/links/DDWSetupPanel.h"
#include "mount/dome/DDWView.h"
#include "mount/links/ConnectMenuLinks.h"
#include "platform/widgets/InactiveHider.h"
#include "platform/widgets/ToolPanel.h"

#include <QDialog>

#include <array>

class DDWControl;
class DomeMount;
class DomeSetupFields;
class PrefControl;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The Digital Dome Works floating panel: connect, track, go to an azimuth,
// the shutter, home, train, all stop, hand rotation, the four output pins,
// the set-up fields and the controller's status read-outs.
class DDWPanel : public QDialog,
                 public DDWView,
                 public DDWSetupPanel,
                 public MenuPanel,
                 public ToolPanel {
    Q_OBJECT
public:
    DDWPanel(DDWControl& ddw, DomeMount& mount, PrefControl& prefs, QWidget* parent = nullptr);
    ~DDWPanel() override;

    enum {
        kConnect = 1, kTrack, kGoto, kShutterOpen, kShutterClose, kHome, kTrain, kAllStop,
        kRotateWest, kRotateEast
    };

    // `pressed` is the rotate buttons' state: down (true) or released.
    void ddwButtonAction(int tag, bool pressed = true);
    // Pin boxes 1..4.
    void ddwPinAction(int pin);
    void getDDWSetup();

    // DDWView.
    bool isGEM() const override;
    void setPanelTitle(const QString& title) override;
    void setDDWUpdateText() override;
    void ddwConnectEnded(bool connected) override;
    // DDWSetupPanel.
    void setIsGEM(bool gem) override;
    void setDDWSetupText() override;
    // MenuPanel.
    bool isVisible() const override { return QDialog::isVisible(); }
    void show() override;
    void hide() override { QDialog::hide(); }
    // ToolPanel.
    void setHide(bool hide) override { m_inactiveHider.setHides(hide); }
    void setToolTips() override;
    void clearToolTips() override;

    QPushButton* button(int tag) const;
    QLineEdit* gotoField() const { return m_goto; }
    QCheckBox* pinBox(int pin) const { return m_pins[std::size_t(pin - 1)]; }
    DomeSetupFields& setupFields() const { return *m_setup; }
    // Dome azimuth, scope azimuth, shutter, home, DSR.
    QString readout(int index) const;
    enum { kDomeAzimuth, kScopeAzimuth, kShutter, kAtHome, kDSR, kReadoutCount };

private:
    void addButton(const QString& title, int tag);
    void stopTracking();
    void setPinBoxes();

    DDWControl& m_ddw;
    DomeMount& m_mount;
    PrefControl& m_prefs;
    std::array<QPushButton*, kRotateEast + 1> m_buttons{};
    QLineEdit* m_goto;
    std::array<QCheckBox*, 4> m_pins{};
    std::array<QLabel*, kReadoutCount> m_readouts{};
    DomeSetupFields* m_setup;
    InactiveHider m_inactiveHider{*this};
};
