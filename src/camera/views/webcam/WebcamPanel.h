#pragma once

#include "camera/webcam/WebcamView.h"
#include "mount/links/ConnectMenuLinks.h"
#include "platform/widgets/DevicePanel.h"
#include "platform/widgets/ToolTipOwner.h"

#include <QString>

#include <QPointer>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class CaptureView;
class GuidePanel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class WebCamController;

// The webcam's floating panel: the capture view, the device pop-up, the
// picture adjustments, the overlays, the dark frame and stacking, movie
// recording and the guide controls (which the guider drives). Closing it
// disconnects the webcam.
class WebcamPanel final : public DevicePanel, public WebcamView, public MenuPanel, public ToolTipOwner {
    Q_OBJECT
public:
    WebcamPanel(WebCamController& controller, QWidget* parent = nullptr);
    ~WebcamPanel() override;

    CaptureView& captureView() const { return *m_captureView; }
    // The guider's controls, made when the panel first shows, take the place
    // of the idle ones; the guider keeps owning them.
    void setGuidePanelMaker(std::function<GuidePanel&()> make) { m_makeGuidePanel = std::move(make); }
    GuidePanel* guidePanel() const;

    // WebcamView.
    void setDeviceItems(const QList<WebcamDeviceList::Item>& items) override;
    void selectDeviceTag(int tag) override;
    void setSizeText(const QString& text) override;
    void setFrequencyText(const QString& text) override;
    void setDarkCheckbox(bool on, bool enabled) override;
    void setAddCheckbox(bool on) override;
    void showAdjustments(const ColorAdjust::Values& values, float scale) override;
    void showFrame(const QImage& frame) override;
    void setRecordingControls(bool recording) override;
    void setCameraControls(bool hasCamera) override;
    void setFrameCount(quint32 count) override;
    void setProgress(bool indeterminate, double percent) override;
    void setMovieNameTitle(const QString& title) override;
    // MenuPanel: a panel left showing "No Cameras" is shown too, so that
    // the menu item closes it; chosen again, the item looks once more.
    bool isVisible() const override { return DevicePanel::isVisible(); }
    void show() override;
    void hide() override { DevicePanel::hide(); }

    // ToolTipOwner.
    void setToolTips() override;
    void clearToolTips() override;

    // The slider of a control tag (WebCamController::ControlTag), for its value.
    QSlider* slider(int tag) const;
    QLabel* sliderText(int tag) const;
    QComboBox* devicePopup() const { return m_devicePopup; }
    QCheckBox* darkCheckbox() const { return m_darkCheckbox; }
    QLabel* sizeText() const { return m_sizeText; }
    QLabel* frequencyText() const { return m_freqText; }
    QPushButton* recordButton() const { return m_recordButton; }
    QPushButton* takeDarkButton() const { return m_takeDarkButton; }
    QPushButton* stopButton() const { return m_stopButton; }
    QPushButton* movieNameButton() const { return m_movieNameButton; }
    QComboBox* codecPopup() const { return m_codecPopup; }
    QComboBox* qualityPopup() const { return m_qualityPopup; }
    QLineEdit* frameMaxText() const { return m_frameMaxText; }
    QLabel* frameCountText() const { return m_frameCountText; }
    QProgressBar* progressBar() const { return m_progressBar; }
    // The tool tips `setToolTips` gives, one per control.
    std::size_t toolTipCount() const { return m_tips.size(); }

    // The movie-name button: asks for the movie's folder and name.
    void setMovieName();

private:
    struct Adjuster {
        int tag;
        const char* label;
        double minimum;
        double maximum;
        double start;
        QSlider* slider = nullptr;
        QLabel* text = nullptr;
    };

    QWidget* makeAdjustments();
    QWidget* makeOverlays();
    QWidget* makeGuideControls();
    void embedGuidePanel();
    QWidget* makeRecording();
    quint32 maxFrames() const;
    void adjusterMoved(Adjuster& adjuster, int position);
    void showAdjuster(Adjuster& adjuster, double value);
    Adjuster* adjuster(int tag);
    const Adjuster* adjuster(int tag) const;
    void tip(QWidget* widget, const char* text);

    WebCamController& m_controller;
    CaptureView* m_captureView;
    QComboBox* m_devicePopup;
    QLabel* m_sizeText;
    QLabel* m_freqText;
    std::array<Adjuster, 6> m_adjusters;
    QCheckBox* m_darkCheckbox = nullptr;
    QCheckBox* m_addCheckbox = nullptr;
    QPushButton* m_takeDarkButton = nullptr;
    QPushButton* m_recordButton = nullptr;
    QPushButton* m_stopButton = nullptr;
    QPushButton* m_movieNameButton = nullptr;
    QComboBox* m_codecPopup = nullptr;
    QComboBox* m_qualityPopup = nullptr;
    QLineEdit* m_frameMaxText = nullptr;
    QLabel* m_frameCountText = nullptr;
    QProgressBar* m_progressBar = nullptr;
    std::vector<std::pair<QWidget*, QString>> m_tips;
    QWidget* m_idleGuideControls = nullptr;
    std::function<GuidePanel&()> m_makeGuidePanel;
    QPointer<GuidePanel> m_guidePanel;
    bool m_tipsShown = false;
    bool m_hasCamera = false;
    bool m_isRecordingShown = false;
    bool m_isShowing = false;  // the controller sets the controls: no action back
};
