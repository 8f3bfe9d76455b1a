#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

// The receiving half of the companion framing, without I/O: a 4-byte
// little-endian length, acknowledged with 0x11, then that many bytes of
// body, acknowledged with 0x22. Bytes that arrive early stay buffered for the
// next step. A state moves on only when its acknowledgement has been written.
class IncomingFrames {
public:
    enum State : quint32 {
        IDLE = 0,
        RECEIVINGSIZE = 1,
        SIZERECEIVED = 2,
        SIZEACKOWLEDGED = 3,
        RECEIVINGDATA = 4,
        DATARECEIVED = 5,
        DATAACKOWLEDGED = 6,
    };
    static constexpr quint8 kSizeAcknowledge = 0x11;
    static constexpr quint8 kDataAcknowledge = 0x22;
    // A body is one property-list dictionary; nothing a companion sends comes near.
    static constexpr quint32 kMaxBody = 1024 * 1024;
    // A whole message and the next length word.
    static constexpr qsizetype kMaxBuffered = 4 + qsizetype(kMaxBody) + 4;

    // Adds bytes read from the peer; false when the link must close: a length
    // over kMaxBody, or more than kMaxBuffered bytes waiting.
    [[nodiscard]] bool receive(QByteArrayView bytes);
    // The acknowledgement owed to the peer now, if any.
    std::optional<quint8> owedAcknowledgement() const;
    // The owed acknowledgement reached the peer's link: move on and take
    // what is buffered. False as receive().
    [[nodiscard]] bool acknowledgementWritten();
    bool hasBody() const { return m_body.has_value(); }
    // The body completed since the last call, if any.
    std::optional<QByteArray> takeBody();
    // Back to IDLE with nothing buffered, for the next peer.
    void reset();

    State state() const { return m_state; }
    bool isBetweenMessages() const { return m_state == IDLE && m_inData.isEmpty(); }
    qsizetype buffered() const { return m_inData.size(); }
    quint32 dictionaryDataSize() const { return m_dictionaryDataSize; }
    static const char* stateString(quint32 state);

private:
    bool processReceivedData();

    State m_state = IDLE;
    QByteArray m_inData;
    quint32 m_dictionaryDataSize = 0;
    std::optional<QByteArray> m_body;
};
