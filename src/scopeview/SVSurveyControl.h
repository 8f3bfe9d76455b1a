#pragma once

#include <QImage>

// The survey-image download as the telescope view's drawer drives it, and
// the image the view draws under its field.
class SVSurveyControl {
public:
    virtual ~SVSurveyControl() = default;
    // Starts a download of the field, or cancels the one in flight.
    virtual void svDSSAction() = 0;
    // The survey image to draw while the view's image flag is on, as it is to
    // be drawn (grey where the service calls for it); null when there is none.
    virtual QImage dssImage() = 0;
};
