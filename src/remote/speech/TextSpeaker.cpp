#include "remote/speech/TextSpeaker.h"

#include <QDebug>
#include <QTextToSpeech>

TextSpeaker::TextSpeaker()
{
    if (QTextToSpeech::availableEngines().isEmpty())
        return;
    auto engine = std::make_unique<QTextToSpeech>();
    if (engine->state() != QTextToSpeech::Error)
        m_engine = std::move(engine);
}

TextSpeaker::~TextSpeaker() = default;

void TextSpeaker::startSpeakingString(const QString& text)
{
    if (m_engine && m_engine->state() != QTextToSpeech::Error)
        m_engine->say(text);
    else
        qDebug().noquote() << "Spoken answer:" << text;
}
