#pragma once

#include <QWidget>

#include <array>

class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

// The content of the solar-system window's drawer: the date box with the
// date picker and the day-step buttons, and the perspective box with the
// zoom, tilt and rotation sliders. It only lays them out and labels them;
// the drawer works them.
class SSDrawView final : public QWidget {
    Q_OBJECT
public:
    // Day steps of the buttons, by tag 1 to 4.
    static constexpr std::array<int, 4> kDaySteps = {1, 5, 10, 20};
    // Slider positions per unit: zoom in hundredths, degrees in tenths.
    static constexpr double kZoomUnits = 100.0;
    static constexpr double kDegreeUnits = 10.0;

    explicit SSDrawView(QWidget* parent = nullptr);

    QGroupBox* perspectiveText;
    QGroupBox* dateText;
    QLabel* zoomText;
    QLabel* angleText;
    QLabel* rotateText;
    QDateTimeEdit* datePick;
    QSlider* ssZoomSlider;
    QSlider* ssAngleSlider;
    QSlider* ssRotateSlider;
    // Per tag 1 to 4: the button that steps back, then the one that steps on.
    std::array<std::array<QPushButton*, 2>, 4> dayButtons;
};
