#pragma once

#include "model/settings/links/DomeSetupPanel.h"
#include "mount/dome/DomeView.h"
#include "mount/links/ConnectMenuLinks.h"
#include "platform/widgets/InactiveHider.h"
#include "platform/widgets/ToolPanel.h"

#include <QDialog>
#include <QPixmap>

#include <array>

class DomeControl;
class DomeSetupFields;
class PrefControl;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class RefusalNote;
class QPushButton;

// The dome board's floating panel: connect, track, the hand rotation and
// shutter buttons, the board's speed, calibration, sync, home, the set-up
// fields and the eight lights of the board's inputs, relays and outputs.
class DomePanel : public QDialog,
                  public DomeView,
                  public DomeSetupPanel,
                  public MenuPanel,
                  public ToolPanel {
    Q_OBJECT
public:
    // `resources` holds the lights' images under "Buttons".
    DomePanel(DomeControl& dome, PrefControl& prefs, const QString& resources,
              QWidget* parent = nullptr);
    ~DomePanel() override;

    // The button tags.
    enum { kConnect = 1, kTrack, kRotateEast, kRotateWest, kShutterOpen, kShutterClose };
    enum { kSpeedMenu = 1, kReset };
    // The lights: inputs 1..4, relays 1 and 2, outputs 7 and 8.
    enum { kLightCount = 8 };
    enum class Light { Red, Green, Clear };

    void domeButtonAction(int tag);
    void domeBoardAction(int tag);
    void domeCalibrateAction(int tag);
    void getDomeSetup();
    void getDomeTicks();

    // DomeView.
    bool isGEM() const override;
    void domeUpdateButtons() override;
    void domeUpdateStatus() override;
    void setDomeSetupText() override;
    void setDomeCalText() override;
    void setCalButtonTitle() override;
    void setCalProgress(bool running) override;
    void setProgress(bool running) override;
    void setHomeTitle(const QString& title) override;
    void setMotionButtons() override;
    void domeConnectEnded(bool connected) override;
    void domeBoardReset() override;
    void domeLost() override;
    // DomeSetupPanel.
    void setIsGEM(bool gem) override;
    // MenuPanel.
    bool isVisible() const override { return QDialog::isVisible(); }
    void show() override;
    void hide() override { QDialog::hide(); }
    // ToolPanel.
    void setHide(bool hide) override { m_inactiveHider.setHides(hide); }
    void setToolTips() override;
    void clearToolTips() override;

    bool isInProgress() const { return m_isInProgress; }
    Light light(int index) const { return m_lightStates[std::size_t(index)]; }
    QPushButton* button(int tag) const;
    QPushButton* calibrateButton() const { return m_calibrate; }
    QPushButton* syncButton() const { return m_sync; }
    QPushButton* homeButton() const { return m_home; }
    QPushButton* resetButton() const { return m_reset; }
    QComboBox* speedMenu() const { return m_speed; }
    QLineEdit* ticksField() const { return m_ticks; }
    QLineEdit* coastField() const { return m_coast; }
    // Why the last ticks or coast typed was refused; empty when taken.
    QString ticksRefusal() const;
    QCheckBox* shutterBox() const { return m_shutterBox; }
    QCheckBox* directionBox() const { return m_directionBox; }
    QCheckBox* polarityBox(int input) const { return m_polarity[std::size_t(input - 1)]; }
    DomeSetupFields& setupFields() const { return *m_setup; }
    QString domeAzimuthText() const;
    QString scopeAzimuthText() const;

private:
    QPushButton* addButton(const QString& title, int tag);
    void setLight(int index, Light state);
    void setAllLights(Light state);
    void motionButtonsOff();
    bool refuseUnconnected();
    void selectSpeed(quint16 code);

    DomeControl& m_dome;
    PrefControl& m_prefs;
    std::array<QPixmap, 3> m_lightImages;
    bool m_isInProgress = false;
    quint16 m_baud = 0;
    // The rotate button last pressed shows the running rotation.
    int m_rotateTag = 0;

    std::array<QPushButton*, kShutterClose + 1> m_buttons{};
    QComboBox* m_speed;
    QPushButton* m_reset;
    QPushButton* m_calibrate;
    QLineEdit* m_ticks;
    QLineEdit* m_coast;
    RefusalNote* m_ticksNote;
    QPushButton* m_sync;
    QPushButton* m_home;
    QCheckBox* m_shutterBox;
    QCheckBox* m_directionBox;
    std::array<QCheckBox*, 4> m_polarity{};
    DomeSetupFields* m_setup;
    QLabel* m_domeAzimuth;
    QLabel* m_scopeAzimuth;
    std::array<QLabel*, kLightCount> m_lights{};
    std::array<Light, kLightCount> m_lightStates{};
    QProgressBar* m_progress;
    InactiveHider m_inactiveHider{*this};
};
