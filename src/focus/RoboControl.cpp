#include "focus/RoboControl.h"

#include "mount/SerialControl.h"
#include "mount/links/RoboFocusPosition.h"
#include "platform/AlertPanel.h"

#include <algorithm>
#include <utility>

namespace {

constexpr qsizetype kFrameBytes = 9;
constexpr int kStopFill = 201;
constexpr quint8 kMostStepSetting = 64;
constexpr quint8 kMostDuty = 100;
constexpr int kMostReported = 65535;

RoboControl::Reply parseReply(const std::optional<QByteArray>& bytes)
{
    RoboControl::Reply reply;
    if (!bytes)
        return reply;
    // Step echoes lead the record: at most as many as leave nine bytes.
    const qsizetype most = bytes->size() - kFrameBytes;
    qsizetype skip = 0;
    while (skip < most && (bytes->at(skip) == 'I' || bytes->at(skip) == 'O')) {
        reply.netSteps += bytes->at(skip) == 'O' ? 1 : -1;
        reply.sawEcho = true;
        ++skip;
    }
    reply.echoesEnded = skip < bytes->size();
    reply.rest = bytes->mid(skip);
    return reply;
}

// Where the record marked "F" and `letter` starts in `bytes`; -1 when none does.
qsizetype markOf(QByteArrayView bytes, char letter)
{
    const char mark[] = {'F', letter};
    return bytes.indexOf(QByteArrayView(mark, 2));
}

// The decimal digits of a record from `from`, `count` of them.
std::optional<int> valueOf(const QByteArray& record, qsizetype from, qsizetype count)
{
    const QByteArray digits = record.mid(from, count);
    if (digits.size() != count
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return digits.toInt();
}

// The controller's state as the stream reader on the worker updates it: a
// copy, handed back to the main thread.
class StreamState final : public RoboFocusPosition {
public:
    StreamState(quint16 start, quint16 most) : position(start), highest(most) {}
    quint16 roboPosition() const override { return position; }
    void setRoboPosition(quint16 steps) override { position = steps; }
    quint16 roboMax() const override { return highest; }
    void setIsRoboMove(bool on) override
    {
        if (on)
            ++echoes;
        ended = ended || !on;
    }

    quint16 position;
    quint16 highest;
    // Step echoes read: the reader tells each one as a move going on.
    int echoes = 0;
    // The reader found the move's end record (or, having read nothing, says so).
    bool ended = false;
};

using Clock = std::chrono::steady_clock;

using StreamRead = RoboControl::StreamRead;

// The stream as read now into `stream`.
StreamRead readStream(const FocuserExchange& line, StreamState& stream)
{
    ReplyBuffer buffer{};
    stream.echoes = 0;
    stream.ended = false;
    const bool read = line.serial().readRoboFocusNow(buffer, stream);
    return {read, stream.position, read ? stream.echoes : 0, read && stream.ended, Clock::now()};
}

// The bytes a write onto the quiet line read ahead of itself, taken into
// `stream` as a read of it, now.
StreamRead streamAhead(QByteArrayView bytes, StreamState& stream)
{
    stream.echoes = 0;
    stream.ended = false;
    if (bytes.isEmpty())
        return {false, stream.position, 0, false, Clock::now()};
    SerialControl::scanRoboFocus(bytes, stream);
    return {true, stream.position, stream.echoes, stream.ended, Clock::now()};
}

// Whether bytes read ahead of a write show the motor moving: step echoes
// that no end record follows.
bool showsMotion(QByteArrayView bytes)
{
    StreamState stream(RoboControl::kMostTravel / 2, RoboControl::kMostTravel);
    SerialControl::scanRoboFocus(bytes, stream);
    return stream.echoes > 0 && !stream.ended;
}

// What the wait to confirm a move's end met on the line: the position read
// it sent (Asked), too little silence yet (NotYet), a line that would not
// fall quiet (Busy), echoes (Moved) or the move's own end record (Ended).
struct MoveConfirm {
    enum class Outcome { Asked, NotYet, Busy, Moved, Ended };
    Outcome outcome = Outcome::NotYet;
    FocuserExchange::QuietSend sent{FocuserExchange::QuietSend::Outcome::Silent, {}, {}};
    StreamRead stream;
};

// A reply is whole once its record, marked "F" and `letter`, has all nine
// bytes after the step echoes a moving motor sends ahead of it; one without
// the mark (garbled) at nine bytes. A pause inside it never cuts it.
ReplyEnd frameEnd(char letter)
{
    return {[letter](QByteArrayView gathered) {
                const auto echoes = std::find_if(gathered.begin(), gathered.end(), [](char c) {
                    return c != 'I' && c != 'O';
                });
                const QByteArrayView rest = gathered.sliced(echoes - gathered.begin());
                const qsizetype mark = markOf(rest, letter);
                return rest.size() - std::max<qsizetype>(mark, 0) >= kFrameBytes;
            },
            0};
}

// Watches the line tick by tick: the position read goes out once no echo
// has come for `silence` since `lastEcho` and nothing at all for the quiet a
// read needs; an echo or the end record ends the watch at once, each read
// as it arrives.
MoveConfirm confirmOnLine(const FocuserExchange& line, StreamState stream, Clock::time_point lastEcho,
                          std::chrono::microseconds silence)
{
    const auto start = Clock::now();
    auto lastByte = start;
    for (;;) {
        const StreamRead seen = readStream(line, stream);
        const auto now = seen.at;
        if (seen.endRecord)
            return {MoveConfirm::Outcome::Ended, {}, seen};
        if (seen.echoes > 0)
            return {MoveConfirm::Outcome::Moved, {}, seen};
        if (seen.read)
            lastByte = now;
        const bool silent = now - lastEcho >= silence;
        if (silent && now - lastByte >= RoboControl::kConfirmQuiet) {
            MoveConfirm asked{MoveConfirm::Outcome::Asked,
                              line.sendOnQuietLine(RoboControl::roboFrame("FG000000"), kFrameBytes, frameEnd('D'),
                                                   &showsMotion),
                              {}};
            asked.stream = streamAhead(asked.sent.ahead, stream);
            if (asked.sent.outcome == FocuserExchange::QuietSend::Outcome::Moving)
                asked.outcome = MoveConfirm::Outcome::Moved;
            return asked;
        }
        if (now - start >= RoboControl::kConfirmWaitMost)
            return {silent ? MoveConfirm::Outcome::Busy : MoveConfirm::Outcome::NotYet, {}, seen};
        line.pause(1);
    }
}

// A command and what waited on the line ahead of it: a moving motor's
// echoes are read, never dropped, and the command is then not written. The
// read's time is when the send ended: for a command that awaits no reply,
// just after its write.
struct LineSend {
    FocuserExchange::QuietSend sent;
    StreamRead ahead;
};

LineSend sendAfterStream(const FocuserExchange& line, StreamState stream, const QByteArray& frame,
                         quint16 expected, const ReplyEnd& end = {})
{
    LineSend out{line.sendOnQuietLine(frame, expected, end, &showsMotion), {}};
    out.ahead = streamAhead(out.sent.ahead, stream);
    return out;
}

ProbeAnswer probeRobo(const FocuserExchange& line)
{
    const std::optional<QByteArray> reply = line.send(RoboControl::roboFrame("FV000000"), kFrameBytes, frameEnd('V'));
    if (reply && reply->size() == kFrameBytes && reply->at(1) == 'V' && reply->contains('.'))
        return true;
    line.debug()([&] {
        return reply ? "RoboFocus: version returned " + QString::fromLatin1(reply->left(11))
                     : QStringLiteral("RoboFocus: version returned error: -4");
    });
    // A version record whose number is not one: the user hears what came.
    if (!reply || reply->size() != kFrameBytes || !reply->startsWith("FV"))
        return false;
    QString version;
    for (const char c : reply->mid(2, kFrameBytes - 3))
        version += c >= ' ' && c <= '~' ? QChar(c) : QChar(u'?');
    return ProbeAnswer::refused(
        QStringLiteral("The RoboFocus answered with version %1, which this program does not support.").arg(version));
}

}  // namespace

RoboControl::RoboControl(SerialControl& serial, FocuserWorker& worker, QObject* parent)
    : FocuserControl(serial, worker, {kBaud, QStringLiteral("RoboFocus"), &probeRobo}, parent)
{
}

quint8 RoboControl::roboChecksum(const QByteArray& frame)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(frame.size(), 8); ++i)
        sum += quint8(frame.at(i));
    return quint8(sum % 256);
}

QByteArray RoboControl::roboFrame(const QByteArray& eight)
{
    return eight + char(roboChecksum(eight));
}

QByteArray RoboControl::roboCommand(const char* letters, int value)
{
    return roboFrame(QByteArray(letters) + QByteArray::number(value).rightJustified(6, '0'));
}

quint16 RoboControl::roboBacklashOf(int direction) const
{
    if (direction == 2)
        return m_roboBacklash[0];
    if (direction == 3)
        return m_roboBacklash[1];
    return 0;
}

quint16 RoboControl::roboBacklash() const
{
    return roboBacklashOf(m_roboBacklashDirection);
}

void RoboControl::setRoboBacklash(quint16 amount)
{
    if (m_roboBacklashDirection == 2)
        m_roboBacklash[0] = amount;
    else if (m_roboBacklashDirection == 3)
        m_roboBacklash[1] = amount;
}

bool RoboControl::roboOutput(int output) const
{
    return output >= 1 && output <= 4 && m_roboPower[size_t(output - 1)];
}

void RoboControl::exchange(const QByteArray& frame, char letter, std::function<void(const Reply&)> then)
{
    post([frame, letter, stream = StreamState(m_roboPosition, m_roboMax)](const FocuserExchange& line) {
             return sendAfterStream(line, stream, frame, kFrameBytes, frameEnd(letter));
         },
         [this, asked = m_movesAsked, then = std::move(then)](const LineSend& out) {
             takeStream(out.ahead);
             const FocuserExchange::QuietSend& sent = out.sent;
             // A command not written was not asked: no reply was missed.
             if (!sent.unsent())
                 noteReply(sent.replied());
             noteLine(sent.outcome);
             Reply reply = replyOf(sent);
             reply.isBeforeMove = asked != m_movesAsked;
             then(reply);
         });
}

RoboControl::Reply RoboControl::replyOf(const FocuserExchange::QuietSend& sent)
{
    Reply reply = parseReply(sent.replied() ? std::optional<QByteArray>(sent.reply) : std::nullopt);
    reply.sent = sent.outcome;
    return reply;
}

void RoboControl::noteLine(Outcome outcome)
{
    if (outcome != Outcome::Busy && outcome != Outcome::Moving)
        m_isRefusalTold = false;
}

void RoboControl::beepRefusal(Outcome why)
{
    AlertPanel::beep();
    if ((why != Outcome::Busy && why != Outcome::Moving) || std::exchange(m_isRefusalTold, true))
        return;
    if (why == Outcome::Busy) {
        AlertPanel::runAlert(QStringLiteral("The Robo-Focus line is busy"),
                             QStringLiteral("Stray bytes keep coming on the focuser's line, and the focuser takes "
                                            "any byte it receives while it moves as a stop: commands are refused "
                                            "until the line falls quiet."));
        return;
    }
    // Its step echoes are no stray bytes: say whose motion they are.
    const QString motion = m_isStopSent ? QStringLiteral("The focuser keeps moving after it was sent a stop")
                                        : QStringLiteral("The focuser is moving though no move was asked of it");
    AlertPanel::runAlert(QStringLiteral("The Robo-Focus is moving"),
                         motion + QStringLiteral(", and it takes any byte it receives while it moves as a stop: "
                                                 "commands are refused until it comes to rest."));
}

bool RoboControl::takePosition(const Reply& reply)
{
    const std::optional<QByteArray> record = recordOf(reply, 'D');
    const std::optional<int> value = record ? valueOf(*record, 3, 5) : std::nullopt;
    // A reply that is no position keeps the last good one.
    if (!value || *value > kMostReported)
        return false;
    m_roboPosition = quint16(*value);
    notePosition(m_roboPosition);
    return true;
}

std::optional<QByteArray> RoboControl::recordOf(const Reply& reply, char letter)
{
    if (reply.sawEcho)
        takeEchoes(reply.netSteps, Clock::now());
    if (reply.echoesEnded && !reply.isBeforeMove) {
        m_isRoboMove = false;
        // The controller answered: motion no move asked for is over.
        if (isUnaskedMotion())
            settleMove(m_roboPosition);
    }
    // The record is known by its mark, wherever it starts; one whose
    // checksum does not add up was garbled on its way.
    const qsizetype mark = markOf(reply.rest, letter);
    const QByteArray record = mark < 0 ? QByteArray() : reply.rest.mid(mark, kFrameBytes);
    if (record.size() != kFrameBytes || quint8(record.at(8)) != roboChecksum(record))
        return std::nullopt;
    return record;
}

std::optional<QByteArray> RoboControl::settingOf(const Reply& reply, char letter)
{
    std::optional<QByteArray> record = recordOf(reply, letter);
    if (!record) {
        // The field keeps its old value: the user hears that it was not taken.
        writeDebug(QStringLiteral("RoboFocus: F%1 reply refused: %2")
                       .arg(letter)
                       .arg(reply.rest.isEmpty() ? QStringLiteral("none") : QString::fromLatin1(reply.rest.toHex(' '))));
        beepRefusal(reply.sent);
    }
    return record;
}

void RoboControl::takeEchoes(int netSteps, std::chrono::steady_clock::time_point at)
{
    const quint16 from = m_roboPosition;
    m_roboPosition = quint16(std::clamp<int>(from + netSteps, kLowest, std::max<int>(kLowest, m_roboMax)));
    m_isRoboMove = true;
    m_lastEcho = at;
    watchUnaskedMotion(from, m_isStopSent);
    notePosition(m_roboPosition);
}

void RoboControl::takeStream(const StreamRead& stream)
{
    if (stream.endRecord) {
        m_roboPosition = stream.position;
        notePosition(m_roboPosition);
        moveEnded(m_roboPosition);
    } else if (stream.echoes > 0) {
        // Echoes are the move going on, one the user made on the
        // controller's own buttons too. Other bytes are not.
        takeEchoes(stream.position - m_roboPosition, stream.at);
    }
}

void RoboControl::beepMoving()
{
    // The user knows of a move asked; motion else is told.
    if (isMoveOpen() && !isUnaskedMotion())
        AlertPanel::beep();
    else
        beepRefusal(Outcome::Moving);
}

bool RoboControl::refused(const Done& done, bool beeps)
{
    if (!isConnected() || m_isRoboMove) {
        if (m_isRoboMove && beeps)
            beepMoving();
        if (done)
            done(false);
        return true;
    }
    return false;
}

void RoboControl::send(const QByteArray& frame, Sent done)
{
    post([frame, stream = StreamState(m_roboPosition, m_roboMax)](const FocuserExchange& line) {
             return sendAfterStream(line, stream, frame, 0);
         },
         [this, done = std::move(done)](const LineSend& out) {
             takeStream(out.ahead);
             noteLine(out.sent.outcome);
             done(out.sent.outcome, out.ahead.at);
         });
}

int RoboControl::compensation() const
{
    // The controller's documents say to which motion the amount is added,
    // not on which side of the target the motor turns, and the window's
    // limits leave room on the other side: a move either way is watched as
    // one that may run past its target by the amount and come back. One
    // that does not simply ends at its target.
    if (m_roboBacklashDirection != 2 && m_roboBacklashDirection != 3)
        return 0;
    return roboBacklash();
}

void RoboControl::sendMove(const QByteArray& frame, int target, Done done)
{
    // Moving from now on: nothing else is written until the move has ended.
    m_isRoboMove = true;
    ++m_movesAsked;
    const bool wasStopSent = std::exchange(m_isStopSent, false);
    m_lastEcho = Clock::now();
    const auto most = quint16(std::max<int>(kLowest, m_roboMax));
    beginMove(MoveWatch::Path::overshooting(m_roboPosition, quint16(std::clamp<int>(target, kLowest, most)),
                                            compensation(), most),
              MoveWatch::Ends::ByFamily);
    send(frame, [this, wasStopSent, done = std::move(done)](Outcome outcome, Clock::time_point at) {
        const bool written = outcome == Outcome::Replied;
        if (written) {
            // The motor's silence counts from the write, not from the wait in the worker's queue.
            m_lastEcho = std::max(m_lastEcho, at);
        } else {
            // The move did not go: the user hears why, and a stop sent before it still was.
            m_isStopSent = m_isStopSent || wasStopSent;
            moveEnded();
            beepRefusal(outcome);
        }
        if (done)
            done(written);
    });
}

void RoboControl::disconnectPort()
{
    m_isReadingMove = false;
    m_isRoboMove = false;
    FocuserControl::disconnectPort();
}

void RoboControl::moveEnded(std::optional<quint16> at)
{
    m_isRoboMove = false;
    if (at)
        settleMove(at);
    else
        endMove();
}

void RoboControl::roboGetPosition(Done done)
{
    if (refused(done, false))
        return;
    exchange(roboFrame("FG000000"), 'D',
             [this, done = std::move(done)](const Reply& reply) { done(takePosition(reply)); });
}

void RoboControl::confirmMoveEnd(Done done)
{
    const std::chrono::microseconds silence = kMoveSilenceTicks * tick();
    post([stream = StreamState(m_roboPosition, m_roboMax), lastEcho = m_lastEcho,
          silence](const FocuserExchange& line) { return confirmOnLine(line, stream, lastEcho, silence); },
         [this, done = std::move(done)](const MoveConfirm& confirm) {
             const StreamRead& stream = confirm.stream;
             switch (confirm.outcome) {
             case MoveConfirm::Outcome::Moved:
             case MoveConfirm::Outcome::Ended:
                 takeStream(stream);
                 done(!m_isRoboMove);
                 return;
             case MoveConfirm::Outcome::Busy:
                 // Nothing was written onto a busy line: the next read asks
                 // again, and a move given up meanwhile says why.
                 noteLineBusy();
                 done(false);
                 return;
             case MoveConfirm::Outcome::NotYet:
                 done(false);
                 return;
             case MoveConfirm::Outcome::Asked:
                 break;
             }
             // The move's end record may have come ahead of the read.
             takeStream(stream);
             if (confirm.sent.unsent()) {
                 noteLineBusy();
                 done(false);
                 return;
             }
             noteReply(confirm.sent.replied());
             // Echoes ahead of the reply are the move going on after all.
             if (takePosition(replyOf(confirm.sent))) {
                 moveEnded(m_roboPosition);
                 done(true);
                 return;
             }
             m_isRoboMove = true;
             done(false);
         });
}

void RoboControl::roboSetSteps(int steps, Done done)
{
    if (refused(done))
        return;
    sendMove(roboCommand("FG", steps), steps, std::move(done));
    expectArrivalAt(quint16(std::clamp<int>(steps, kLowest, std::max<int>(kLowest, m_roboMax))));
}

void RoboControl::roboIn(int steps, Done done)
{
    if (!refused(done))
        sendMove(roboCommand("FI", steps), m_roboPosition - steps, std::move(done));
}

void RoboControl::roboOut(int steps, Done done)
{
    if (!refused(done))
        sendMove(roboCommand("FO", steps), m_roboPosition + steps, std::move(done));
}

void RoboControl::roboStop()
{
    if (!isConnected())
        return;
    m_isStopSent = true;
    forgetArrival();
    // The one command written during a move, whatever the line carries.
    const QByteArray stop = "F " + QByteArray(kStopFill, 'V');
    post(
        [stop = stop + char(roboChecksum(stop)), stream = StreamState(m_roboPosition, m_roboMax)](
            const FocuserExchange& line) mutable {
            // At once: the echoes waiting are counted, not flushed with the input.
            const StreamRead ahead = readStream(line, stream);
            qint32 count = qint32(stop.size());
            ReplyBuffer none{};
            line.serial().transaction(0, count, stop.constData(), none, line.slot());
            return ahead;
        },
        [this](const StreamRead& ahead) { takeStream(ahead); });
}

void RoboControl::giveUpMove()
{
    roboStop();
    moveEnded();
}

void RoboControl::roboSetPosition(int steps, Done done)
{
    if (refused(done))
        return;
    exchange(roboCommand("FS", steps), 'S', [this, done = std::move(done)](const Reply& reply) {
        const std::optional<QByteArray> record = recordOf(reply, 'S');
        const std::optional<int> value = record ? valueOf(*record, 3, 5) : std::nullopt;
        if (value)
            m_roboPosition = quint16(std::min(*value, kMostReported));
        if (done)
            done(value.has_value());
    });
}

void RoboControl::roboGetMax(Done done)
{
    if (refused(done))
        return;
    exchange(roboFrame("FL000000"), 'L', [this, done = std::move(done)](const Reply& reply) {
        const std::optional<QByteArray> record = recordOf(reply, 'L');
        const std::optional<int> value = record ? valueOf(*record, 3, 5) : std::nullopt;
        if (value)
            m_roboMax = quint16(std::clamp<int>(*value, kLowest, kMostTravel));
        done(value.has_value());
    });
}

void RoboControl::roboSetMax(int steps, Done done)
{
    if (refused(done))
        return;
    const int limited = std::clamp<int>(steps, kLowest, kMostTravel);
    exchange(roboCommand("FL", limited), 'L', [this, done = std::move(done)](const Reply& reply) {
        const std::optional<QByteArray> record = recordOf(reply, 'L');
        const std::optional<int> value = record ? valueOf(*record, 3, 5) : std::nullopt;
        if (value)
            m_roboMax = quint16(std::clamp<int>(*value, kLowest, kMostTravel));
        if (done)
            done(value.has_value());
    });
}

void RoboControl::roboGetOutputs(Done done)
{
    if (refused(done, false))
        return;
    exchange(roboFrame("FP000000"), 'P', [this, done = std::move(done)](const Reply& reply) {
        const std::optional<QByteArray> record = recordOf(reply, 'P');
        if (record) {
            for (int output = 1; output <= 4; ++output)
                m_roboPower[size_t(output - 1)] = record->at(3 + output) == '2';
        }
        done(record.has_value());
    });
}

void RoboControl::roboSetOutputs(int output, bool on, Done done)
{
    if (output < 1 || output > 4) {
        if (done)
            done(false);
        return;
    }
    if (refused(done))
        return;
    QByteArray eight = "FP00";
    for (int k = 1; k <= 4; ++k)
        eight += (k == output ? on : m_roboPower[size_t(k - 1)]) ? '2' : '1';
    exchange(roboFrame(eight), 'P', [this, done = std::move(done)](const Reply& reply) {
        const std::optional<QByteArray> record = recordOf(reply, 'P');
        if (record) {
            for (int k = 1; k <= 4; ++k)
                m_roboPower[size_t(k - 1)] = record->at(3 + k) == '2';
        }
        if (done)
            done(record.has_value());
    });
}

void RoboControl::takeBacklash(const QByteArray& record)
{
    const std::optional<int> value = valueOf(record, 3, 5);
    const auto amount = quint16(std::min(value.value_or(0), kMostReported));
    if (record.at(2) == '2') {
        m_roboBacklashDirection = 2;
        m_roboBacklash[0] = amount;
    } else if (record.at(2) == '3') {
        m_roboBacklashDirection = 3;
        m_roboBacklash[1] = amount;
    } else {
        // The controller's compensation is off.
        m_roboBacklashDirection = 1;
    }
}

void RoboControl::roboGetBacklash(Done done)
{
    if (refused(done, false))
        return;
    exchange(roboFrame("FB000000"), 'B', [this, done = std::move(done)](const Reply& reply) {
        const std::optional<QByteArray> record = settingOf(reply, 'B');
        if (record && (record->at(2) == '2' || record->at(2) == '3'))
            takeBacklash(*record);
        done(record.has_value());
    });
}

void RoboControl::roboSetBacklash(int amount, Done done)
{
    if (refused(done))
        return;
    if (m_roboBacklashDirection != 2 && m_roboBacklashDirection != 3) {
        if (done)
            done(false);
        return;
    }
    const QByteArray eight = "FB" + QByteArray::number(m_roboBacklashDirection)
                             + QByteArray::number(std::clamp(amount, 0, 99999)).rightJustified(5, '0');
    exchange(roboFrame(eight), 'B', [this, done = std::move(done)](const Reply& reply) {
        const std::optional<QByteArray> record = settingOf(reply, 'B');
        if (record)
            takeBacklash(*record);
        if (done)
            done(record.has_value());
    });
}

void RoboControl::roboGetConfig(Done done)
{
    if (refused(done))
        return;
    exchange(roboFrame("FC000000"), 'C', [this, done = std::move(done)](const Reply& reply) {
        const std::optional<QByteArray> record = settingOf(reply, 'C');
        if (record) {
            m_roboCyclePct = quint8(int(quint8(record->at(2)) * 0.4 + 0.5));
            m_roboDelayMs = quint8(record->at(3));
            m_roboMicroSize = quint8(record->at(4));
        }
        done(record.has_value());
    });
}

void RoboControl::roboSetConfig(Done done)
{
    if (refused(done))
        return;
    m_roboMicroSize = std::clamp<quint8>(m_roboMicroSize, 1, kMostStepSetting);
    m_roboDelayMs = std::clamp<quint8>(m_roboDelayMs, 1, kMostStepSetting);
    m_roboCyclePct = std::min(m_roboCyclePct, kMostDuty);
    QByteArray eight = "FC";
    eight += char(quint8(int(m_roboCyclePct * 2.5 + 0.5)));
    eight += char(m_roboDelayMs);
    eight += char(m_roboMicroSize);
    eight += "000";
    send(roboFrame(eight), [done = std::move(done)](Outcome outcome, Clock::time_point) {
        if (done)
            done(outcome == Outcome::Replied);
    });
}

void RoboControl::roboGetTemp(Done done)
{
    // A moving motor is not asked, nor is a beep given.
    if (refused(done, false))
        return;
    exchange(roboFrame("FT000000"), 'T', [this, done = std::move(done)](const Reply& reply) {
        const std::optional<QByteArray> record = recordOf(reply, 'T');
        const std::optional<int> value = record ? valueOf(*record, 4, 4) : std::nullopt;
        if (value)
            m_roboTemp = float(*value * 0.5 - 273.15);
        done(value.has_value());
    });
}

void RoboControl::roboReadMove(Done done)
{
    if (!isConnected() || m_isReadingMove) {
        done(false);
        return;
    }
    // The stream is read 20 ticks on, by the main thread's timer.
    m_isReadingMove = true;
    after(kStreamWaitTicks, [this, done = std::move(done)] {
        post(
            [stream = StreamState(m_roboPosition, m_roboMax)](const FocuserExchange& line) mutable {
                return readStream(line, stream);
            },
            [this, done](const StreamRead& stream) {
                m_isReadingMove = false;
                takeStream(stream);
                if (!m_isRoboMove || stream.echoes > 0 || !isConnected()) {
                    done(stream.read);
                    return;
                }
                confirmMoveEnd([done, read = stream.read](bool) { done(read); });
            });
    });
}
