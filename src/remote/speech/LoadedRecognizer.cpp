#include "remote/speech/LoadedRecognizer.h"

#include "platform/DeviceModule.h"
#include "remote/speech/SpeechModules.h"

namespace LoadedRecognizer {

std::unique_ptr<CommandRecognizer> create()
{
    auto* create = DeviceModule::functionOrWarn<SpeechModules::CreateRecognizer>(
        SpeechModules::kRecognizer, SpeechModules::kCreateRecognizer, QStringLiteral("voice commands"));
    return create ? create() : nullptr;
}

}  // namespace LoadedRecognizer
