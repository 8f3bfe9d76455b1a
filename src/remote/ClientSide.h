#pragma once

#include <QByteArray>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <QVariantMap>

#include <optional>

// The outgoing link to the companion's own service: sends one framed XML
// dictionary at a time and waits for the companion's 0x11 and 0x22. A
// dictionary offered while one is in flight waits; a newer one replaces it.
class ClientSide final : public QObject {
    Q_OBJECT
public:
    enum State : quint32 {
        IDLE = 0,
        SENDINGSIZE = 1,
        SIZESENT = 2,
        SIZEACKNOWLEDGED = 3,
        SENDINGDICTIONARY = 4,
        DICTIONARYSENT = 5,
        DICTIONARYACKNOWLEDGED = 6,
    };
    static constexpr int kConnectLimitMs = 10000;

    ClientSide(const QString& host, quint16 port, QObject* parent = nullptr);
    ~ClientSide() override;

    void sendDictionary(const QVariantMap& dictionary);

    State clientState() const { return m_clientState; }
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    static const char* stateString(quint32 state);

signals:
    void clientSideConnected();
    void clientSideDisconnected();

private:
    void startMessage(const QVariantMap& dictionary);
    void sendData(const QByteArray& bytes);
    void dataSent();
    void dataAcknowledged();
    void readAcknowledgements();
    void bytesWritten(qint64 count);
    void endLink();

    QTcpSocket m_socket;
    QTimer m_connectLimit;
    State m_clientState = IDLE;
    QByteArray m_dictionaryData;
    qint64 m_unwritten = 0;
    std::optional<QVariantMap> m_pendingCommand;
    bool m_isEnded = false;
};
