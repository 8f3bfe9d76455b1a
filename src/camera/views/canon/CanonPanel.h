#pragma once

#include "mount/links/ConnectMenuLinks.h"
#include "platform/widgets/InactiveHider.h"
#include "platform/widgets/ToolPanel.h"

#include <QDialog>

class CanonControl;
class CanonImageView;
class DebugWriter;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;

// The Canon camera's floating panel: the controls of the controller's
// exposures, live view and image settings around the image view. It stays
// above the chart, as every panel, never above another program's windows;
// closing it disconnects the camera.
class CanonPanel : public QDialog, public MenuPanel, public ToolPanel {
    Q_OBJECT
public:
    CanonPanel(CanonControl& control, const DebugWriter& debug, QWidget* parent = nullptr);
    ~CanonPanel() override;

    // MenuPanel.
    bool isVisible() const override { return QDialog::isVisible(); }
    void show() override;
    void hide() override { QDialog::hide(); }
    // ToolPanel.
    void setHide(bool hide) override { m_inactiveHider.setHides(hide); }
    void setToolTips() override;
    void clearToolTips() override;

    CanonImageView& imageView() const { return *m_imageView; }
    QPushButton* exposeButton() const { return m_expose; }
    QPushButton* fileFolderButton() const { return m_fileFolder; }
    QPushButton* recordButton() const { return m_record; }
    QPushButton* movieFolderButton() const { return m_movieFolder; }
    QLineEdit* movieFramesText() const { return m_movieFrames; }
    QButtonGroup* movieQualityRadio() const { return m_movieQuality; }
    QProgressBar* progress() const { return m_progress; }
    QComboBox* isoPopup() const { return m_iso; }
    QComboBox* exposureCombo() const { return m_exposure; }
    QCheckBox* liveViewCheck() const { return m_liveView; }
    QProgressBar* batteryLevel() const { return m_battery; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Shows the controller's state in the controls.
    void showState();
    // Copies the controls' values to the controller and sends it `tag`.
    void send(int tag);

    CanonControl& m_control;
    InactiveHider m_inactiveHider{*this};
    CanonImageView* m_imageView;
    QPushButton* m_expose;
    QCheckBox* m_saveToCamera;
    QCheckBox* m_saveToMac;
    QPushButton* m_fileFolder;
    QPushButton* m_record;
    QPushButton* m_movieFolder;
    QLineEdit* m_movieFrames;
    QButtonGroup* m_movieQuality;
    QLabel* m_movieFPS;
    QComboBox* m_iso;
    QComboBox* m_exposure;
    QComboBox* m_numExposures;
    QComboBox* m_delay;
    QCheckBox* m_liveView;
    QCheckBox* m_grid;
    QSlider* m_focusExposure;
    QSlider* m_saturation;
    QSlider* m_whiteBalance;
    QLabel* m_degKelvin;
    QLabel* m_expTaken;
    QProgressBar* m_progress;
    QProgressBar* m_battery;
    bool m_hasToolTips = false;
};
