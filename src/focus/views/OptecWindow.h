#pragma once

#include "focus/OptecDisplay.h"
#include "focus/views/FocuserWindow.h"

#include <array>

class OptecFrame;
class QButtonGroup;
class QLabel;
class QSpinBox;

// The Optec TCF-S window: the common window with the four move speeds, the
// in and out buttons, the go-to, the controller's mode, and a temperature
// tab for learning and storing the slope.
class OptecWindow final : public FocuserWindow, public OptecDisplay {
    Q_OBJECT
public:
    explicit OptecWindow(QWidget* parent = nullptr);

    // Joins the Optec frame (and through it the common one).
    void attachOptec(OptecFrame& frame);

    void showSpeeds(const std::array<quint16, 4>& speeds) override;
    void showCurrentSlope(int slope) override;
    void showLearning(const QString& average, const QString& calculated, const QString& startTemp,
                      const QString& delta) override;

    QSpinBox* speedField(int slot) const { return m_speeds.at(size_t(slot)); }
    QSpinBox* gotoField() const { return m_goto; }
    // Rows: manual, auto mode A, auto mode B.
    QButtonGroup* modeRadio() const { return m_modes; }
    QLabel* currentSlopeField() const { return m_currentSlope; }
    QLabel* averageSlopeField() const { return m_average; }

private:
    QWidget* buildTemperatureTab();

    OptecFrame* m_optec = nullptr;
    QButtonGroup* m_speedRows;
    std::array<QSpinBox*, 4> m_speeds{};
    QSpinBox* m_goto;
    QButtonGroup* m_focusButtons;
    QButtonGroup* m_modes;
    QButtonGroup* m_slopeChoice = nullptr;
    QButtonGroup* m_learnButtons = nullptr;
    QSpinBox* m_calcEntry = nullptr;
    QLabel* m_currentSlope = nullptr;
    QLabel* m_average = nullptr;
    QLabel* m_calculated = nullptr;
    QLabel* m_startTemp = nullptr;
    QLabel* m_delta = nullptr;
};
