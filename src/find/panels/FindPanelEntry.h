#pragma once

#include <QString>

// The find panel's entry field as the Edit menu copies from and pastes into it.
class FindPanelEntry {
public:
    virtual ~FindPanelEntry() = default;
    // The panel has the keyboard.
    virtual bool isKeyWindow() const = 0;
    virtual QString enterString() const = 0;
    virtual void setEnterString(const QString& text) = 0;
};
