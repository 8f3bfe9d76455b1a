#pragma once

#include "focus/FocuserGauge.h"
#include "focus/MoonLiteDisplay.h"
#include "focus/views/FocuserWindow.h"

class MoonLiteFrame;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QSpinBox;

// The MoonLite focuser's window: on the focuser tab the level, the go-to
// field with In, Out and Go To (Alt: out to the end of the counter, or
// redefine the position), the five speed cells, zero, maximum and half
// step; a temperature tab for learning the slope and switching the
// compensation on. It opens 20 points in from the screen's top left.
class MoonLiteWindow final : public FocuserWindow, public MoonLiteDisplay, public FocuserGauge {
    Q_OBJECT
public:
    explicit MoonLiteWindow(QWidget* parent = nullptr);

    // Joins the frame: the controls act on it from now on.
    void attachMoonLite(MoonLiteFrame& frame);

    void showMaximum(quint16 maximum) override;
    void selectSpeedCell(int cell) override;
    void showSlope(const QString& text) override;
    void showDelta(const QString& text) override;
    void enableCompensation(bool enabled) override;
    void enableRatePopup(bool enabled) override;
    void showLearnTitle(const QString& title) override;
    void showLevel(int percent) override;
    void showMoving(bool) override {}

    QPushButton* button(const QString& text) const;
    QCheckBox* compensationBox() const { return m_compensation; }
    QDoubleSpinBox* slopeField() const { return m_slope; }
    QLabel* maximumField() const { return m_maximum; }
    QLabel* deltaField() const { return m_delta; }

protected:
    void placeOnScreen() override;

private:
    QWidget* buildTemperatureTab();

    QProgressBar* m_level;
    QSpinBox* m_gotoField;
    QLabel* m_maximum;
    QButtonGroup* m_speedCells;
    QCheckBox* m_halfStep;
    QDoubleSpinBox* m_slope = nullptr;
    QLabel* m_delta = nullptr;
    QCheckBox* m_compensation = nullptr;
    QComboBox* m_rate = nullptr;
};
