#pragma once

#include "remote/speech/CommandRecognizer.h"

#include <memory>

// The spoken-command recogniser of the speech-command module, loaded when
// listening is first asked for; null when the module is missing, the user
// told which support is missing.
namespace LoadedRecognizer {

std::unique_ptr<CommandRecognizer> create();

}  // namespace LoadedRecognizer
