#include "remote/IncomingLink.h"

#include "remote/PropertyList.h"
#include "remote/RemoteLog.h"

#include <QTcpSocket>
#include <QtConcurrent/QtConcurrentRun>

IncomingLink::IncomingLink(QTcpSocket* socket, int stallLimitMs, QObject* parent)
    : QObject(parent), m_socket(socket)
{
    socket->setParent(this);
    socket->setReadBufferSize(IncomingFrames::kMaxBuffered + 1);
    m_stall.setSingleShot(true);
    m_stall.setInterval(stallLimitMs);
    connect(&m_stall, &QTimer::timeout, this, [this] { close("stalled"); });
    connect(socket, &QTcpSocket::readyRead, this, &IncomingLink::readAvailable);
    connect(socket, &QTcpSocket::bytesWritten, this, &IncomingLink::bytesWritten);
    connect(socket, &QTcpSocket::disconnected, this, [this] { close("closed by the companion"); });
    connect(&m_decoder, &QFutureWatcherBase::finished, this, &IncomingLink::bodyDecoded);
    m_stall.start();
}

IncomingLink::~IncomingLink()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

void IncomingLink::start()
{
    if (m_socket && m_socket->bytesAvailable() > 0)
        readAvailable();
}

void IncomingLink::readAvailable()
{
    if (!m_socket)
        return;
    const QByteArray bytes = m_socket->readAll();
    if (bytes.isEmpty())
        return;
    if (!m_stall.isActive())
        m_stall.start();
    if (!m_frames.receive(bytes)) {
        close("message over the size limit");
        return;
    }
    writeOwedAcknowledgement();
}

void IncomingLink::writeOwedAcknowledgement()
{
    const std::optional<quint8> owed = m_frames.owedAcknowledgement();
    if (!m_socket || m_isAcknowledging || m_isDecoding || !owed)
        return;
    // The body goes on before its acknowledgement.
    if (*owed == IncomingFrames::kDataAcknowledge && m_frames.hasBody()) {
        decodeBody();
        return;
    }
    const char byte = char(*owed);
    if (m_socket->write(&byte, 1) != 1) {
        close("acknowledgement not written");
        return;
    }
    m_isAcknowledging = true;
}

void IncomingLink::decodeBody()
{
    const std::optional<QByteArray> body = m_frames.takeBody();
    m_isDecoding = true;
    // The peer has sent its message; the wait is ours now.
    m_stall.stop();
    m_decoder.setFuture(QtConcurrent::run([bytes = *body] { return PropertyList::readDictionary(bytes); }));
}

void IncomingLink::bodyDecoded()
{
    m_isDecoding = false;
    const std::optional<QVariantMap> dictionary = m_decoder.result();
    const QPointer<IncomingLink> self = this;
    if (dictionary)
        emit messageReceived(*dictionary);
    else
        emit messageUnreadable();
    if (self && m_socket)
        writeOwedAcknowledgement();
}

void IncomingLink::bytesWritten()
{
    if (!m_socket || !m_isAcknowledging || m_socket->bytesToWrite() > 0)
        return;
    m_isAcknowledging = false;
    if (!m_frames.acknowledgementWritten()) {
        close("message over the size limit");
        return;
    }
    if (m_frames.isBetweenMessages())
        m_stall.stop();
    else if (m_frames.state() == IncomingFrames::SIZERECEIVED || !m_stall.isActive())
        m_stall.start();
    writeOwedAcknowledgement();
}

void IncomingLink::close(const char* reason)
{
    if (!m_socket)
        return;
    qCDebug(lcRemote) << "Companion incoming link ended:" << reason << "in"
                      << IncomingFrames::stateString(m_frames.state());
    QTcpSocket* socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    m_frames.reset();
    m_isAcknowledging = false;
    m_stall.stop();
    m_decoder.disconnect(this);
    emit ended();
}
