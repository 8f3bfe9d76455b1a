#pragma once

#include "remote/IncomingFrames.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QVariantMap>

#include <optional>

// One accepted connection of the incoming link: takes its framed messages,
// decodes each body on a pool thread so that no peer holds the main thread,
// hands the dictionary on and only then acknowledges the body. A link that
// completes no message within the stall limit of connecting, or stalls that
// long inside one, is closed.
class IncomingLink final : public QObject {
    Q_OBJECT
public:
    // Adopts `socket`.
    IncomingLink(QTcpSocket* socket, int stallLimitMs, QObject* parent = nullptr);
    ~IncomingLink() override;

    IncomingFrames::State state() const { return m_frames.state(); }
    bool isOpen() const { return m_socket != nullptr; }
    // Ends the link; `ended` follows, once.
    void close(const char* reason);
    // Reads what the peer sent before the link was handed over.
    void start();

signals:
    // One complete body read as a dictionary; its acknowledgement follows
    // when the link is still open after the signal.
    void messageReceived(const QVariantMap& dictionary);
    // One complete body that is no property-list dictionary.
    void messageUnreadable();
    void ended();

private:
    void readAvailable();
    void bytesWritten();
    void writeOwedAcknowledgement();
    void decodeBody();
    void bodyDecoded();

    QPointer<QTcpSocket> m_socket;
    IncomingFrames m_frames;
    bool m_isAcknowledging = false;
    bool m_isDecoding = false;
    QTimer m_stall;
    QFutureWatcher<std::optional<QVariantMap>> m_decoder;
};
