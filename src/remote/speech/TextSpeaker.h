#pragma once

#include "remote/speech/Speaker.h"

#include <memory>

class QTextToSpeech;

// The spoken answers through the desktop's speech engine. Without an engine
// the answers go to the debug output only.
class TextSpeaker final : public Speaker {
public:
    TextSpeaker();
    ~TextSpeaker() override;

    void startSpeakingString(const QString& text) override;
    bool hasEngine() const { return m_engine != nullptr; }

private:
    std::unique_ptr<QTextToSpeech> m_engine;
};
