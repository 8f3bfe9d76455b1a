// The entry of the speech-engine module.
#include "remote/speech/SpeechModules.h"
#include "remote/speech/TextSpeaker.h"

extern "C" Q_DECL_EXPORT std::unique_ptr<Speaker> norvaneCreateSpeaker()
{
    return std::make_unique<TextSpeaker>();
}
