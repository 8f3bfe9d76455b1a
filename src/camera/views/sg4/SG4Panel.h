#pragma once

#include "camera/sg4/SG4GuiderPanel.h"
#include "mount/DebugWriter.h"
#include "mount/links/ConnectMenuLinks.h"
#include "platform/widgets/DevicePanel.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class SG4Control;
class sg4ImageView;

// The SG-4 guider's floating panel: the image view, the exposure controls,
// the device settings, the guide relays and the guider's calibration and
// guiding. Each control sends its tag to the controller; closing the panel
// disconnects the guider.
class SG4Panel final : public DevicePanel, public SG4GuiderPanel, public MenuPanel {
    Q_OBJECT
public:
    SG4Panel(SG4Control& control, const DebugWriter& debug, QWidget* parent = nullptr);
    ~SG4Panel() override;

    sg4ImageView& imageView() const { return *m_imageView; }
    QPushButton* exposeButton() const { return m_expose; }
    QPushButton* calibrateButton() const { return m_calibrate; }
    QPushButton* guideButton() const { return m_guide; }
    QPushButton* directionButton(int tag) const;
    QComboBox* speedPopup() const { return m_speed; }
    QComboBox* typePopup() const { return m_type; }
    QComboBox* readoutPopup() const { return m_readout; }
    QCheckBox* focusCheckbox() const { return m_focus; }
    QLabel* statusText() const { return m_status; }
    QSpinBox* expSecText() const { return m_seconds; }
    QSpinBox* xGainText() const { return m_xGain; }

    // SG4GuiderPanel.
    ExposureFields exposureFields() const override;
    bool isFocusChecked() const override;
    void setFocusChecked(bool on) override;
    void setExposeTitle(const QString& title) override;
    void setStatus(const QString& text) override;
    void setProgressRunning(bool running) override;
    void selectSpeed(long baud) override;
    void selectImageType(int itemTag) override;
    void selectReadoutMode(int itemTag) override;
    void setReadoutMenuEnabled(bool) override {}
    void setDeviceTitle(const QString& title) override { setWindowTitle(title); }
    void bringToFront() override { show(); }
    bool isPanelVisible() const override { return DevicePanel::isVisible(); }
    void hidePanel() override { DevicePanel::hide(); }
    void redraw() override;
    void showGuiderValues(const GuiderValues& values) override;
    void setCalibrateTitle(const QString& title) override;
    void setGuideTitle(const QString& title) override;
    // MenuPanel.
    bool isVisible() const override { return DevicePanel::isVisible(); }
    void show() override;
    void hide() override { DevicePanel::hide(); }
    void closeAsUser() override { close(); }

private:
    SG4Control& m_control;
    sg4ImageView* m_imageView;
    QSpinBox* m_minutes;
    QSpinBox* m_seconds;
    QDoubleSpinBox* m_milliseconds;
    QPushButton* m_expose;
    QCheckBox* m_focus;
    QProgressBar* m_progress;
    QSlider* m_displayExposure;
    QComboBox* m_speed;
    QComboBox* m_type;
    QComboBox* m_readout;
    QSpinBox* m_minMove;
    QSpinBox* m_maxMove;
    QSpinBox* m_xGain;
    QSpinBox* m_yGain;
    QPushButton* m_calibrate;
    QPushButton* m_guide;
    QPushButton* m_up;
    QPushButton* m_down;
    QPushButton* m_left;
    QPushButton* m_right;
    QLabel* m_status;
};
