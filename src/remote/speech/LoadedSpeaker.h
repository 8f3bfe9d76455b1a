#pragma once

#include "remote/speech/Speaker.h"

#include <memory>

// The spoken answers through the speech module, loaded with the first
// answer: the desktop's speech engine and its voices cost nothing until a
// spoken answer is asked for. Without the module the user is told which
// support is missing, and the answers go to the debug output only.
class LoadedSpeaker final : public Speaker {
public:
    void startSpeakingString(const QString& text) override;

private:
    std::unique_ptr<Speaker> m_speaker;
    bool m_tried = false;
};
