#pragma once

#include "chart/SpeechSwitch.h"
#include "remote/speech/VoiceCommands.h"

// The Edit menu's speech item, switching the spoken commands.
class SpeechSwitchLink final : public SpeechSwitch {
public:
    explicit SpeechSwitchLink(VoiceCommands& commands) : m_commands(commands) {}
    void setListen() override { m_commands.setListen(); }
    bool isListening() const override { return m_commands.isListening(); }

private:
    VoiceCommands& m_commands;
};
