#pragma once

#include <QString>

#include <optional>

// The panel that shows the MPCORB download and its processing.
class MpcProgressPanel {
public:
    virtual ~MpcProgressPanel() = default;
    // Shows the panel at its place, in front.
    virtual void showPanel() = 0;
    virtual void hidePanel() = 0;
    virtual bool isPanelVisible() const = 0;
    virtual void setStatus(const QString& text) = 0;
    // A percentage from 0 to 100, or none for a busy indicator of unknown length.
    // The new value is on screen when this returns, even while the caller
    // keeps the event loop waiting.
    virtual void setProgress(std::optional<double> percent) = 0;
    virtual void setCancelEnabled(bool enabled) = 0;
};
