#pragma once

#include "remote/speech/CommandRecognizer.h"
#include "remote/speech/Speaker.h"

#include <memory>

// The speech code lives in two modules loaded at first use (DeviceModule):
// the spoken answers on Qt's speech engine, and the spoken commands on the
// microphone (Qt Multimedia) and PocketSphinx.
namespace SpeechModules {

inline constexpr const char* kSpeaker = "norvane-speech";
inline constexpr const char* kCreateSpeaker = "norvaneCreateSpeaker";
using CreateSpeaker = std::unique_ptr<Speaker>();

inline constexpr const char* kRecognizer = "norvane-sphinx";
inline constexpr const char* kCreateRecognizer = "norvaneCreateRecognizer";
using CreateRecognizer = std::unique_ptr<CommandRecognizer>();

}  // namespace SpeechModules
