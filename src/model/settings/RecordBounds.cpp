#include "model/settings/RecordBounds.h"

namespace {

constexpr float kMostLatitude = 90.0f;     // degrees
constexpr float kMostLongitude = 180.0f;   // degrees
constexpr float kMostFocalLength = 100000.0f;  // mm
constexpr float kMostAperture = 20000.0f;      // mm
constexpr float kMostFinderField = 360.0f;     // degrees
constexpr float kMostEyeFocalLength = 10000.0f;  // mm
// The apparent field in degrees, or for the camera slot a percentage of the camera's.
constexpr float kMostEyeField = 1000.0f;

// Whether `field` was outside [least, most] and so took `registered`; NaN is outside.
bool bound(float& field, float least, float most, float registered)
{
    if (field >= least && field <= most)
        return false;
    field = registered;
    return true;
}

}  // namespace

bool boundFields(site& record, const site& registered)
{
    const bool latitude = bound(record.latitude, -kMostLatitude, kMostLatitude, registered.latitude);
    const bool longitude = bound(record.longitude, -kMostLongitude, kMostLongitude, registered.longitude);
    return latitude || longitude;
}

bool boundFields(scope& record, const scope& registered)
{
    const bool focalLength = bound(record.scopeFL, 0.0f, kMostFocalLength, registered.scopeFL);
    const bool aperture = bound(record.scopeAP, 0.0f, kMostAperture, registered.scopeAP);
    const bool finder = bound(record.finderFOV, 0.0f, kMostFinderField, registered.finderFOV);
    return focalLength || aperture || finder;
}

bool boundFields(eyepiece& record, const eyepiece& registered)
{
    const bool focalLength = bound(record.eyeFL, 0.0f, kMostEyeFocalLength, registered.eyeFL);
    const bool field = bound(record.eyeFOV, 0.0f, kMostEyeField, registered.eyeFOV);
    return focalLength || field;
}
