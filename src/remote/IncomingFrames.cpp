#include "remote/IncomingFrames.h"

#include <QtEndian>

bool IncomingFrames::receive(QByteArrayView bytes)
{
    if (m_inData.size() + bytes.size() > kMaxBuffered)
        return false;
    m_inData.append(bytes);
    return processReceivedData();
}

bool IncomingFrames::processReceivedData()
{
    if (m_state == IDLE && m_inData.size() >= 4) {
        const quint32 size = qFromLittleEndian<quint32>(m_inData.constData());
        if (size > kMaxBody)
            return false;
        m_dictionaryDataSize = size;
        m_inData.remove(0, 4);
        m_state = SIZERECEIVED;
    } else if (m_state == SIZEACKOWLEDGED && m_inData.size() >= qsizetype(m_dictionaryDataSize)) {
        m_body = m_inData.left(m_dictionaryDataSize);
        m_inData.remove(0, m_dictionaryDataSize);
        m_state = DATARECEIVED;
    }
    return true;
}

std::optional<quint8> IncomingFrames::owedAcknowledgement() const
{
    if (m_state == SIZERECEIVED)
        return kSizeAcknowledge;
    if (m_state == DATARECEIVED)
        return kDataAcknowledge;
    return std::nullopt;
}

bool IncomingFrames::acknowledgementWritten()
{
    if (m_state == SIZERECEIVED)
        m_state = SIZEACKOWLEDGED;
    else if (m_state == DATARECEIVED)
        m_state = IDLE;
    else
        return true;
    return processReceivedData();
}

std::optional<QByteArray> IncomingFrames::takeBody()
{
    std::optional<QByteArray> body = std::move(m_body);
    m_body.reset();
    return body;
}

void IncomingFrames::reset()
{
    m_state = IDLE;
    m_inData.clear();
    m_dictionaryDataSize = 0;
    m_body.reset();
}

const char* IncomingFrames::stateString(quint32 state)
{
    switch (state) {
    case IDLE: return "IDLE";
    case RECEIVINGSIZE: return "RECEIVINGSIZE";
    case SIZERECEIVED: return "SIZERECEIVED";
    case SIZEACKOWLEDGED: return "SIZEACKOWLEDGED";
    case RECEIVINGDATA: return "RECEIVINGDATA";
    case DATARECEIVED: return "DATARECEIVED";
    case DATAACKOWLEDGED: return "DATAACKOWLEDGED";
    default: return "UNKNOWN";
    }
}
