#include "remote/ClientSide.h"

#include "remote/IncomingFrames.h"
#include "remote/PropertyList.h"
#include "remote/RemoteLog.h"

#include <QtEndian>

ClientSide::ClientSide(const QString& host, quint16 port, QObject* parent) : QObject(parent)
{
    m_connectLimit.setSingleShot(true);
    m_connectLimit.setInterval(kConnectLimitMs);
    connect(&m_connectLimit, &QTimer::timeout, this, &ClientSide::endLink);
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_connectLimit.stop();
        emit clientSideConnected();
        if (m_pendingCommand && m_clientState == IDLE) {
            const QVariantMap pending = *std::exchange(m_pendingCommand, std::nullopt);
            startMessage(pending);
        }
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, &ClientSide::readAcknowledgements);
    connect(&m_socket, &QTcpSocket::bytesWritten, this, &ClientSide::bytesWritten);
    connect(&m_socket, &QTcpSocket::disconnected, this, &ClientSide::endLink);
    // A refused or unreachable companion ends the link as its close would.
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this] {
        if (m_socket.state() != QAbstractSocket::ConnectedState)
            endLink();
    });
    m_connectLimit.start();
    m_socket.connectToHost(host, port);
}

ClientSide::~ClientSide()
{
    m_socket.disconnect(this);
    m_socket.abort();
}

void ClientSide::sendDictionary(const QVariantMap& dictionary)
{
    if (m_clientState == IDLE && isConnected()) {
        startMessage(dictionary);
        return;
    }
    m_pendingCommand = dictionary;
}

void ClientSide::startMessage(const QVariantMap& dictionary)
{
    m_dictionaryData = PropertyList::toXml(dictionary);
    m_clientState = SENDINGSIZE;
    char size[4];
    qToLittleEndian<quint32>(quint32(m_dictionaryData.size()), size);
    sendData(QByteArray(size, 4));
}

void ClientSide::sendData(const QByteArray& bytes)
{
    const qint64 written = m_socket.write(bytes);
    if (written != bytes.size()) {
        qCDebug(lcRemote) << "Companion outgoing link: write failed in" << stateString(m_clientState);
        m_socket.abort();
        endLink();
        return;
    }
    m_unwritten += written;
}

void ClientSide::bytesWritten(qint64 count)
{
    m_unwritten -= count;
    if (m_unwritten <= 0 && m_socket.bytesToWrite() == 0) {
        m_unwritten = 0;
        dataSent();
    }
}

void ClientSide::dataSent()
{
    if (m_clientState == SENDINGSIZE)
        m_clientState = SIZESENT;
    else if (m_clientState == SENDINGDICTIONARY)
        m_clientState = DICTIONARYSENT;
}

void ClientSide::readAcknowledgements()
{
    const QByteArray bytes = m_socket.readAll();
    for (const char byte : bytes) {
        if (m_isEnded)
            return;
        // An acknowledgement counts only where it can belong: a stray 0x11
        // would send a body the companion never announced.
        if (quint8(byte) == IncomingFrames::kSizeAcknowledge
            && (m_clientState == SENDINGSIZE || m_clientState == SIZESENT)) {
            m_clientState = SIZEACKNOWLEDGED;
            dataAcknowledged();
        } else if (quint8(byte) == IncomingFrames::kDataAcknowledge
                   && (m_clientState == IDLE || m_clientState == SENDINGDICTIONARY
                       || m_clientState == DICTIONARYSENT)) {
            m_clientState = DICTIONARYACKNOWLEDGED;
            dataAcknowledged();
        }
    }
}

void ClientSide::dataAcknowledged()
{
    if (m_clientState == SIZEACKNOWLEDGED) {
        m_clientState = SENDINGDICTIONARY;
        sendData(m_dictionaryData);
    } else if (m_clientState == DICTIONARYACKNOWLEDGED) {
        m_clientState = IDLE;
        if (m_pendingCommand && !m_isEnded) {
            const QVariantMap pending = *std::exchange(m_pendingCommand, std::nullopt);
            startMessage(pending);
        }
    }
}

void ClientSide::endLink()
{
    if (m_isEnded)
        return;
    m_isEnded = true;
    m_connectLimit.stop();
    emit clientSideDisconnected();
}

const char* ClientSide::stateString(quint32 state)
{
    switch (state) {
    case IDLE: return "IDLE";
    case SENDINGSIZE: return "SENDINGSIZE";
    case SIZESENT: return "SIZESENT";
    case SIZEACKNOWLEDGED: return "SIZEACKNOWLEDGED";
    case SENDINGDICTIONARY: return "SENDINGDICTIONARY";
    case DICTIONARYSENT: return "DICTIONARYSENT";
    case DICTIONARYACKNOWLEDGED: return "DICTIONARYACKNOWLEDGED";
    default: return "UNKNOWN";
    }
}
