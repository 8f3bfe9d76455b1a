// The entry of the spoken-command module.
#include "remote/speech/PocketSphinxRecognizer.h"
#include "remote/speech/SpeechModules.h"

extern "C" Q_DECL_EXPORT std::unique_ptr<CommandRecognizer> norvaneCreateRecognizer()
{
    return std::make_unique<PocketSphinxRecognizer>();
}
