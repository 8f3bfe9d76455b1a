#pragma once

#include "find/tours/CaptureLink.h"

// The capture link over the system clipboard.
class ClipboardCaptureLink final : public CaptureLink {
public:
    void clearContents() override;
    void setString(const QString& text) override;
    QString string() const override;
};
