#pragma once

#include "camera/sg4/SG4DevicePanel.h"
#include "mount/DebugWriter.h"
#include "mount/links/ConnectMenuLinks.h"
#include "platform/widgets/DevicePanel.h"

#include <QString>

#include <functional>
#include <optional>

class AllSkyDatePanel;
class AllSkyImageView;
class AllSkySession;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QVBoxLayout;

// The all-sky camera's floating panel: the picture, the display exposure,
// the exposure controls the camera's controller shares with the guider
// (exposure time, Expose / Abort, focus loop, speed, image type, read-out
// mode), the schedule (intervals, heater, dates, RUN / STOP), the file name
// and format, and the button that brings the date-stamp panel forward.
// Closing it tells its close observer.
class AllSkyPanel final : public DevicePanel, public MenuPanel, public SG4DevicePanel {
    Q_OBJECT
public:
    AllSkyPanel(AllSkySession& session, AllSkyDatePanel& datePanel, DebugWriter debug, QWidget* parent = nullptr);

    // MenuPanel: the Connect menu shows and hides it.
    bool isVisible() const override { return DevicePanel::isVisible(); }
    void show() override;
    void hide() override { DevicePanel::hide(); }
    void closeAsUser() override { close(); }

    // The stored intervals at start, in seconds: set and shown.
    void setExpSchedule(float seconds);
    void setDarkSchedule(float seconds);
    void setHeatOnSchedule(float seconds);
    void setHeatOffSchedule(float seconds);

    // The name dialog ("AllSky File Name"); false when cancelled. Tests
    // answer it through setNameChooser.
    bool setAllSkyFileName();
    void setNameChooser(std::function<std::optional<QString>()> chooser) { m_chooseName = std::move(chooser); }

    // SG4DevicePanel: the controller shows its state here.
    ExposureFields exposureFields() const override;
    bool isFocusChecked() const override;
    void setFocusChecked(bool on) override;
    void setExposeTitle(const QString& title) override;
    void setStatus(const QString& text) override;
    void setProgressRunning(bool running) override;
    void selectSpeed(long baud) override;
    void selectImageType(int itemTag) override;
    void selectReadoutMode(int itemTag) override;
    void setReadoutMenuEnabled(bool enabled) override;
    // The controller titles the panel when the camera connects.
    void setDeviceTitle(const QString& title) override;
    void bringToFront() override { show(); }
    bool isPanelVisible() const override { return DevicePanel::isVisible(); }
    void hidePanel() override { DevicePanel::hide(); }
    void redraw() override;

    AllSkyImageView& imageView() const { return *m_view; }
    QSpinBox* expMinText() const { return m_expMinText; }
    QSpinBox* expSecText() const { return m_expSecText; }
    QSpinBox* expMSText() const { return m_expMSText; }
    QPushButton* exposeButton() const { return m_exposeButton; }
    QCheckBox* focusCheckbox() const { return m_focusCheckbox; }
    QProgressBar* progress() const { return m_progress; }
    QComboBox* speedPopup() const { return m_speedPopup; }
    QComboBox* typePopup() const { return m_typePopup; }
    QComboBox* readoutPopup() const { return m_readoutPopup; }
    QPushButton* runButton() const { return m_runButton; }
    QPushButton* dateButton() const { return m_dateButton; }
    QCheckBox* heaterCheckbox() const { return m_heaterCheckbox; }
    QLabel* heatText() const { return m_heatText; }
    QLabel* statusText() const { return m_statusText; }
    QButtonGroup* formatRadio() const { return m_formatRadio; }
    QButtonGroup* scheduleRadio() const { return m_scheduleRadio; }
    QDateTimeEdit* startDatePicker() const { return m_startPicker; }
    QDateTimeEdit* stopDatePicker() const { return m_stopPicker; }
    QSpinBox* expScheduleMinText() const { return m_expMin; }
    QSpinBox* expScheduleSecText() const { return m_expSec; }
    QSpinBox* darkScheduleMinText() const { return m_darkMin; }
    QSpinBox* heatOnScheduleText() const { return m_heatOnMin; }
    QSpinBox* heatOffScheduleText() const { return m_heatOffMin; }

signals:
    // The exposure controls, for the controller; the menus give their item tags.
    void exposeClicked();
    void focusToggled();
    void speedChosen(int itemTag);
    void imageTypeChosen(int itemTag);
    void readoutChosen(int itemTag);
    void deviceConnected();

private:
    void buildControls();
    void buildDeviceControls(QVBoxLayout* layout);
    void connectSchedule();
    void showHeating(bool on);
    void takeExposureTime();
    std::optional<QString> askForName();

    AllSkySession& m_session;
    AllSkyDatePanel& m_datePanel;
    AllSkyImageView* m_view = nullptr;
    QSlider* m_evSlider = nullptr;
    QSpinBox* m_expMinText = nullptr;
    QSpinBox* m_expSecText = nullptr;
    QSpinBox* m_expMSText = nullptr;
    QSpinBox* m_expMin = nullptr;
    QSpinBox* m_expSec = nullptr;
    QSpinBox* m_darkMin = nullptr;
    QSpinBox* m_heatOnMin = nullptr;
    QSpinBox* m_heatOffMin = nullptr;
    QPushButton* m_exposeButton = nullptr;
    QCheckBox* m_focusCheckbox = nullptr;
    QProgressBar* m_progress = nullptr;
    QComboBox* m_speedPopup = nullptr;
    QComboBox* m_typePopup = nullptr;
    QComboBox* m_readoutPopup = nullptr;
    QPushButton* m_runButton = nullptr;
    QPushButton* m_nameButton = nullptr;
    QPushButton* m_dateButton = nullptr;
    QCheckBox* m_heaterCheckbox = nullptr;
    QLabel* m_heatText = nullptr;
    QLabel* m_statusText = nullptr;
    QButtonGroup* m_formatRadio = nullptr;
    QButtonGroup* m_scheduleRadio = nullptr;
    QDateTimeEdit* m_startPicker = nullptr;
    QDateTimeEdit* m_stopPicker = nullptr;
    std::function<std::optional<QString>()> m_chooseName;
};
