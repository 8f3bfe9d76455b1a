#pragma once

#include "remote/speech/CommandRecognizer.h"

#include <QObject>
#include <QPointer>

class QThread;

// Listens on the default microphone (16 kHz mono) and hands each command
// heard to the main thread. Capture and decoding run on a thread of their
// own; stopping never waits for a decode in progress.
class PocketSphinxRecognizer final : public CommandRecognizer {
public:
    PocketSphinxRecognizer();
    ~PocketSphinxRecognizer() override;

    bool startListening(const QStringList& commands, Heard heard) override;
    void stopListening() override;

private:
    QPointer<QThread> m_thread;
    QPointer<QObject> m_receiver;  // on the main thread; takes the commands heard
};
