#pragma once

#include "camera/guide/GuideView.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class WebcamGuide;

// The autoguider's controls, a part of the webcam panel: Calibrate and
// Guide, the calibration seconds and least backlash move, the correction
// rate and gain, the Dec+ and Dec− boxes and the status line.
class GuidePanel final : public QWidget, public GuideView {
    Q_OBJECT
public:
    explicit GuidePanel(WebcamGuide& guide, QWidget* parent = nullptr);
    ~GuidePanel() override;

    void setGuideStatus(const QString& text) override;
    void setCalibrateTitle(const QString& title) override;
    void setGuideTitle(const QString& title) override;
    void setGuideEnabled(bool enabled) override;
    void setCalibrateEnabled(bool enabled) override;
    void setGuideControlsEnabled(bool enabled) override;

    QPushButton* calibrateButton() const { return m_calButton; }
    QPushButton* guideButton() const { return m_guideButton; }
    QLabel* statusText() const { return m_statusText; }
    QSpinBox* calTimeEdit() const { return m_calTimeEdit; }
    QComboBox* ratePopup() const { return m_ratePopup; }
    QDoubleSpinBox* gainEdit() const { return m_gainEdit; }
    QCheckBox* decPlusButton() const { return m_decPlusButton; }
    QCheckBox* decMinusButton() const { return m_decMinusButton; }

private:
    WebcamGuide& m_guide;
    QPushButton* m_calButton;
    QPushButton* m_guideButton;
    QSpinBox* m_calTimeEdit;
    QSpinBox* m_minMoveEdit;
    QComboBox* m_ratePopup;
    QDoubleSpinBox* m_gainEdit;
    QCheckBox* m_decPlusButton;
    QCheckBox* m_decMinusButton;
    QLabel* m_statusText;
};
