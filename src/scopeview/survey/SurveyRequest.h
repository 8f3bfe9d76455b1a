#pragma once

#include "scopeview/survey/SurveyCentre.h"

#include <QString>
#include <QUrl>

// The survey-image request of a field: which service, the image width and
// the address.
namespace SurveyRequest {

// Base addresses (scheme and host) of the three kinds of service.
struct Services {
    QUrl dssSite;      // STScI kind, indexes 0 to 8
    QUrl esoSite;      // ESO-style, 9 and 10
    QUrl skyViewSite;  // SkyView-style, 11 and 12
};

// Arcminutes asked for a field of `fov` degrees: the cut-out services stop
// at 60, SkyView-style takes any width.
double width(float fov, int serverIndex);

// The address for survey choice `serverIndex` (an unknown one reads as the
// start-up choice) about the J2000 `centre`; `pixels` is the view's width.
// Empty when the service's base address is unset or the result is no URL.
QUrl address(const Services& services, int serverIndex, const SurveyCentre::Place& centre,
             float fov, int pixels);

// The cache file name of a field: the view centre of date (degrees, brought
// onto the sphere), the width before any cut and the survey choice.
QString cacheName(const SurveyCentre::Place& centreOfDate, float fov, int serverIndex);

}  // namespace SurveyRequest
