#pragma once

// The sliders that show the view settings the settings object holds.
class ViewSliders {
public:
    virtual ~ViewSliders() = default;
    virtual void setArrowSpeedSlider(float value) = 0;
    virtual void setAltitudeSlider(double degrees) = 0;
    virtual void setAzimuthSlider(double degrees) = 0;
    virtual void setViewAngleSlider(double degrees) = 0;
};
