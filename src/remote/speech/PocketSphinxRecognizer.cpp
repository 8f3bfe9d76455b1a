#include "remote/speech/PocketSphinxRecognizer.h"

#include "remote/speech/PhraseDecoder.h"
#include "remote/speech/UtteranceCutter.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QThread>

#include <cstring>
#include <memory>

namespace {

Q_LOGGING_CATEGORY(lcSpeech, "norvane.speech")

constexpr int kSampleRate = 16000;

// Lives on the listening thread: the microphone, the cutter and the decoder.
class Listener : public QObject {
public:
    Listener(QAudioDevice device, QStringList commands, QPointer<QObject> receiver,
             CommandRecognizer::Heard heard)
        : m_device(std::move(device)), m_commands(std::move(commands)), m_receiver(std::move(receiver)),
          m_heard(std::move(heard))
    {
    }

    void start()
    {
        m_decoder = std::make_unique<PhraseDecoder>(m_commands, kSampleRate);
        if (!m_decoder->isReady()) {
            qCDebug(lcSpeech) << "The speech model could not be loaded from" << PhraseDecoder::modelFolder();
            return;
        }
        QAudioFormat format;
        format.setSampleRate(kSampleRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        m_source = std::make_unique<QAudioSource>(m_device, format);
        m_input = m_source->start();
        if (!m_input) {
            qCDebug(lcSpeech) << "The microphone could not be opened:" << m_source->error();
            return;
        }
        connect(m_input, &QIODevice::readyRead, this, [this] { listen(); });
    }

private:
    void listen()
    {
        const QByteArray bytes = m_input->readAll();
        const size_t count = size_t(bytes.size()) / sizeof(qint16);
        std::vector<qint16> samples(count);
        std::memcpy(samples.data(), bytes.constData(), count * sizeof(qint16));
        for (const std::vector<qint16>& utterance : m_cutter.feed(samples.data(), samples.size())) {
            const std::optional<QString> command = m_decoder->decode(utterance);
            if (!command)
                continue;
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [receiver = m_receiver, heard = m_heard, text = *command] {
                    if (receiver)
                        heard(text);
                },
                Qt::QueuedConnection);
        }
    }

    QAudioDevice m_device;
    QStringList m_commands;
    QPointer<QObject> m_receiver;
    CommandRecognizer::Heard m_heard;
    std::unique_ptr<PhraseDecoder> m_decoder;
    std::unique_ptr<QAudioSource> m_source;
    QIODevice* m_input = nullptr;
    UtteranceCutter m_cutter{kSampleRate};
};

}  // namespace

PocketSphinxRecognizer::PocketSphinxRecognizer() = default;

PocketSphinxRecognizer::~PocketSphinxRecognizer()
{
    stopListening();
}

bool PocketSphinxRecognizer::startListening(const QStringList& commands, Heard heard)
{
    stopListening();
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull() || !QDir(PhraseDecoder::modelFolder()).exists())
        return false;
    auto* receiver = new QObject;
    m_receiver = receiver;
    auto* thread = new QThread;
    m_thread = thread;
    auto* listener = new Listener(device, commands, m_receiver, std::move(heard));
    listener->moveToThread(thread);
    QObject::connect(thread, &QThread::started, listener, [listener] { listener->start(); });
    QObject::connect(thread, &QThread::finished, listener, &QObject::deleteLater);
    // The thread ends on its own after a decode in progress; nobody waits.
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    return true;
}

void PocketSphinxRecognizer::stopListening()
{
    delete m_receiver.data();
    if (m_thread)
        m_thread->quit();
    m_thread = nullptr;
}
