#pragma once

#include "focus/FocuserGauge.h"
#include "focus/JMISetupDisplay.h"
#include "focus/views/FocuserWindow.h"

class JMIFrame;
class QCheckBox;
class QProgressBar;
class QSlider;
class QSpinBox;

// The JMI focuser's window: on the focuser tab the position level, the
// moving indicator, the go-to field and the In, Out, Stop and Go To
// buttons; a set-up tab (zero, maximum, initialise, backlash) and a speeds
// tab with the slow, fast and in/out sliders.
class JMIWindow final : public FocuserWindow, public JMISetupDisplay, public FocuserGauge {
    Q_OBJECT
public:
    static constexpr int kSetupTab = 4;
    static constexpr int kSpeedsTab = 5;

    explicit JMIWindow(QWidget* parent = nullptr);

    // Joins the frame: the controls act on it from now on.
    void attachJMI(JMIFrame& frame);

    void setJMIBacklashButton(bool on) override;
    void setJMIBacklashText(quint16 amount) override;
    void setJMIMaxValueText(quint16 maximum) override;
    void setJMISpeedSlider(float slow, float fast, float io) override;
    void showLevel(int percent) override;
    void showMoving(bool moving) override;

    QSpinBox* gotoField() const { return m_gotoField; }
    QSpinBox* maxField() const { return m_maxField; }
    QSpinBox* backlashField() const { return m_backlashField; }
    QCheckBox* backlashBox() const { return m_backlashBox; }
    QSlider* slider(int tag) const;
    QProgressBar* level() const { return m_level; }
    QPushButton* button(const QString& text) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildSetupTab();
    QWidget* buildSpeedsTab();

    JMIFrame* m_jmiFrame = nullptr;
    QProgressBar* m_level;
    QProgressBar* m_moving;
    QSpinBox* m_gotoField;
    QSpinBox* m_maxField = nullptr;
    QSpinBox* m_backlashField = nullptr;
    QCheckBox* m_backlashBox = nullptr;
    std::array<QSlider*, 3> m_sliders{};
};
