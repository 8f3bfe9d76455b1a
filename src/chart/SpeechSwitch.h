#pragma once

// The spoken commands' switch, reached from the Edit menu.
class SpeechSwitch {
public:
    virtual ~SpeechSwitch() = default;
    // Starts listening, or stops when listening.
    virtual void setListen() = 0;
    virtual bool isListening() const = 0;
};
