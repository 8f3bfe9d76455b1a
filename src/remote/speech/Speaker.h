#pragma once

#include <QString>

// Spoken answers.
class Speaker {
public:
    virtual ~Speaker() = default;
    virtual void startSpeakingString(const QString& text) = 0;
};
