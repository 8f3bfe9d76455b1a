#pragma once

#include "remote/PropertyList.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QVariantMap>
#include <QtEndian>

#include <functional>
#include <optional>
#include <vector>

// A companion app on loopback: connects to the server's listener, listens
// for the server's link back, and speaks the framing from the other side.
class TestCompanion {
public:
    static constexpr int kWaitMs = 5000;

    TestCompanion()
    {
        listener.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&listener, &QTcpServer::newConnection, [this] {
            back = listener.nextPendingConnection();
            QObject::connect(back, &QTcpSocket::readyRead, [this] { readBack(); });
        });
    }

    // Runs the event loop until `done`, waking as events come rather than
    // polling, so that the server's latency is what a wait measures.
    static bool waitUntil(const std::function<bool()>& done, int ms = kWaitMs)
    {
        const QDeadlineTimer deadline(ms);
        QTimer wake;
        wake.start(20);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }

    bool connectTo(quint16 port)
    {
        link.connectToHost(QHostAddress::LocalHost, port);
        return link.waitForConnected(kWaitMs);
    }
    // The server closed the link.
    bool waitForClose()
    {
        return waitUntil([this] { return link.state() == QAbstractSocket::UnconnectedState; });
    }
    quint16 backPort() const { return listener.serverPort(); }

    // The next acknowledgement byte from the server; 0 when none came.
    quint8 nextAcknowledgement()
    {
        if (!waitUntil([this] { return link.bytesAvailable() > 0; }))
            return 0;
        char byte = 0;
        link.getChar(&byte);
        return quint8(byte);
    }
    void writeRaw(const QByteArray& bytes)
    {
        link.write(bytes);
        link.flush();
    }
    static QByteArray lengthWord(quint32 size)
    {
        char word[4];
        qToLittleEndian(size, word);
        return QByteArray(word, 4);
    }
    // One message as a well-behaved companion sends it; true when both
    // acknowledgements came.
    bool send(const QByteArray& body)
    {
        writeRaw(lengthWord(quint32(body.size())));
        if (nextAcknowledgement() != 0x11)
            return false;
        writeRaw(body);
        return nextAcknowledgement() == 0x22;
    }
    bool send(const QVariantMap& message) { return send(PropertyList::toXml(message)); }
    bool sendCommand(const QString& command, QVariantMap values = {})
    {
        values.insert(QStringLiteral("command"), command);
        return send(values);
    }

    bool waitForBackLink()
    {
        return waitUntil([this] { return back != nullptr; });
    }
    // Waits for the server's next message on the back link.
    std::optional<QVariantMap> nextMessage()
    {
        const size_t seen = m_taken;
        if (!waitUntil([&] { return received.size() > seen; }))
            return std::nullopt;
        return received[m_taken++];
    }
    void acknowledge(quint8 byte)
    {
        back->write(reinterpret_cast<const char*>(&byte), 1);
        back->flush();
    }

    QTcpSocket link;
    QTcpServer listener;
    QTcpSocket* back = nullptr;
    // Off: the test acknowledges the server's messages itself.
    bool autoAcknowledge = true;
    // Length words seen while acknowledging by hand.
    std::vector<quint32> lengths;
    std::vector<QVariantMap> received;

private:
    void readBack()
    {
        m_buffer.append(back->readAll());
        for (;;) {
            if (!m_size) {
                if (m_buffer.size() < 4)
                    return;
                m_size = qFromLittleEndian<quint32>(m_buffer.constData());
                m_buffer.remove(0, 4);
                lengths.push_back(*m_size);
                if (autoAcknowledge)
                    acknowledge(0x11);
            }
            if (m_buffer.size() < qsizetype(*m_size))
                return;
            if (std::optional<QVariantMap> message = PropertyList::readDictionary(m_buffer.left(*m_size)))
                received.push_back(*message);
            m_buffer.remove(0, *m_size);
            m_size.reset();
            if (autoAcknowledge)
                acknowledge(0x22);
        }
    }

    QByteArray m_buffer;
    std::optional<quint32> m_size;
    size_t m_taken = 0;
};
