#pragma once

#include "scopeview/CameraSensor.h"

#include "model/records/eyepiece.h"

// The optics of the telescope view: a telescope with an eyepiece, the camera
// or a power set directly, turned into a magnification and a true field.
// Focal lengths in mm, fields in degrees.
class SVOptics {
public:
    static constexpr int kCameraSlot = 9;
    static constexpr float kCameraEyeFL = 50.0f;
    // The apparent field (degrees) a power set directly is taken to have.
    static constexpr float kDirectApparentField = 50.0f;
    static constexpr float kMinPower = 6.0f;
    static constexpr float kMaxPower = 8000.0f;
    static constexpr float kStartPower = 10.0f;
    static constexpr float kStartFov = 5.0f;

    float scopeFL() const { return m_scopeFL; }
    float eyeFL() const { return m_eyeFL; }
    float eyeFOV() const { return m_eyeFOV; }
    float power() const { return m_power; }
    float fov() const { return m_fov; }

    // Back to the start: power 10, a 5 degree field, the first eyepiece's values.
    void reset(float scopeFL, const eyepiece& firstSlot);
    void setScopeFL(float focalLength) { m_scopeFL = focalLength; }

    // Whether a slot of this focal length gives a field with the current
    // telescope: without a telescope focal length, or without the slot's,
    // the power would be 0 and the field infinite.
    bool isSlotUsable(const eyepiece& slot) const;
    // An eyepiece: power = telescope / eyepiece focal length, field = apparent
    // field / power. False, and nothing changes, for an unusable slot.
    bool selectEyepiece(const eyepiece& slot);
    // The camera: power = telescope focal length / 50, and the field the
    // sensor covers, zoomed by the slot's second field as a percentage.
    bool selectCamera(const eyepiece& slot, const CameraSensor& sensor);
    // A power set directly, clamped to 6..8000; the field is 50 / power.
    void setDirectPower(float power);
    // The field of the power kept, as a power set directly has.
    void keepPowerAsDirect();
    // Plain setters for the window's power keys.
    void setPower(float power) { m_power = power; }
    void setFov(float fov) { m_fov = fov; }

    // The survey download needs a field of at most 60 arcminutes (taken as
    // 62.2 per degree), unless the server scales the image itself (index 11 on).
    bool isSurveyAllowed(int serverIndex) const;
    // The cone search covers at most 2 degrees.
    bool isConeSearchAllowed() const;

    // The slider shows 10 x log2(power).
    static double sliderValue(double power);
    static double powerOfSlider(double value);
    static float clampPower(float power);

private:
    float m_scopeFL = 0.0f;
    float m_eyeFL = 0.0f;
    float m_eyeFOV = 0.0f;
    float m_power = kStartPower;
    float m_fov = kStartFov;
};
