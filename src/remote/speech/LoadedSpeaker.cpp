#include "remote/speech/LoadedSpeaker.h"

#include "platform/DeviceModule.h"
#include "remote/speech/SpeechModules.h"

#include <QDebug>

void LoadedSpeaker::startSpeakingString(const QString& text)
{
    if (!m_tried) {
        m_tried = true;
        if (auto* create = DeviceModule::functionOrWarn<SpeechModules::CreateSpeaker>(
                SpeechModules::kSpeaker, SpeechModules::kCreateSpeaker, QStringLiteral("speech")))
            m_speaker = create();
    }
    if (m_speaker)
        m_speaker->startSpeakingString(text);
    else
        qDebug().noquote() << "Spoken answer:" << text;
}
