#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// A recogniser that listens for a fixed list of command texts.
class CommandRecognizer {
public:
    using Heard = std::function<void(const QString& command)>;

    virtual ~CommandRecognizer() = default;
    // Listens for exactly `commands`; each one heard goes to `heard` on the
    // main thread. False when listening cannot start.
    virtual bool startListening(const QStringList& commands, Heard heard) = 0;
    virtual void stopListening() = 0;
};
