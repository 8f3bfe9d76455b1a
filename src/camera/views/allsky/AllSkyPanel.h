#pragma once

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
class QDateTimeEdit;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

// The all-sky camera's floating panel: the picture, the display exposure,
// the exposure time of the schedule's frames, the schedule (intervals,
// heater, dates, RUN / STOP), the file name and format, and the button that
// brings the date-stamp panel forward. Closing it tells its close observer.
class AllSkyPanel final : public DevicePanel, public MenuPanel {
    Q_OBJECT
public:
    AllSkyPanel(AllSkySession& session, AllSkyDatePanel& datePanel, DebugWriter debug, QWidget* parent = nullptr);

    // MenuPanel: the Connect menu shows and hides it.
    bool isVisible() const override { return DevicePanel::isVisible(); }
    void show() override;
    void hide() override { DevicePanel::hide(); }

    // The stored intervals at start, in seconds: set and shown.
    void setExpSchedule(float seconds);
    void setDarkSchedule(float seconds);
    void setHeatOnSchedule(float seconds);
    void setHeatOffSchedule(float seconds);

    // The name dialog ("AllSky File Name"); false when cancelled. Tests
    // answer it through setNameChooser.
    bool setAllSkyFileName();
    void setNameChooser(std::function<std::optional<QString>()> chooser) { m_chooseName = std::move(chooser); }

    AllSkyImageView& imageView() const { return *m_view; }
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

private:
    void buildControls();
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
