#pragma once

// The survey-image download as the telescope view's drawer drives it.
class SVSurveyControl {
public:
    virtual ~SVSurveyControl() = default;
    // Starts a download of the field, or cancels the one in flight.
    virtual void svDSSAction() = 0;
};
