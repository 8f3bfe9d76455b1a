#pragma once

#include "focus/RoboDisplay.h"
#include "focus/views/FocuserWindow.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QSpinBox;
class RoboFrame;

// The RoboFocus window: the common window with the moves, the go-to and
// the step size; a settings tab (backlash and its direction, position,
// maximum, duty cycle, step delay, step size, power outputs) and a
// temperature tab for the slope learning and the compensation.
class RoboWindow final : public FocuserWindow, public RoboDisplay {
    Q_OBJECT
public:
    static constexpr int kSettingsTab = 4;

    explicit RoboWindow(QWidget* parent = nullptr);

    // Joins the RoboFocus frame (and through it the common one).
    void attachRobo(RoboFrame& frame);

    void showConfig(int duty, int delay, int stepSize) override;
    void showBacklash(int amount) override;
    void selectBacklashDirection(int direction) override;
    void showMaximum(int steps) override;
    void showOutputs(const std::array<bool, 4>& on) override;
    void showLevel(int percent) override;
    void clearMoveButtons() override;
    void showSlope(const QString& slope) override;
    void showTempDelta(const QString& delta) override;

    QSpinBox* field(int tag) const;
    QCheckBox* output(int k) const { return m_outputs.at(size_t(k - 1)); }
    QLabel* slopeField() const { return m_slope; }

private:
    QWidget* buildSettingsTab();
    QWidget* buildTemperatureTab();

    RoboFrame* m_robo = nullptr;
    QButtonGroup* m_moves;
    QSpinBox* m_goto;
    QComboBox* m_speed;
    QProgressBar* m_level;
    std::array<QSpinBox*, 6> m_fields{};  // tags 2 … 7
    QButtonGroup* m_direction = nullptr;
    std::array<QCheckBox*, 4> m_outputs{};
    QButtonGroup* m_tempButtons = nullptr;
    QCheckBox* m_compensate = nullptr;
    QComboBox* m_rate = nullptr;
    QDoubleSpinBox* m_slopeEntry = nullptr;
    QLabel* m_slope = nullptr;
    QLabel* m_delta = nullptr;
};
