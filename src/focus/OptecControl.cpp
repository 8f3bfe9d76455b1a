#include "focus/OptecControl.h"

#include "mount/SerialControl.h"
#include "platform/AlertPanel.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kProbeAttempts = 3;
constexpr float kTempNotConnected = 20.0f;
// The marks a reply is known by, its value following each.
constexpr QByteArrayView kUnitsMark = "P=";
constexpr QByteArrayView kTempMark = "T=";
constexpr QByteArrayView kProbeErrorMark = "ER=";
constexpr char kProbeFailed = '1';

// A reply is a line: read to its line feed, whatever pauses it holds.
const ReplyEnd kLineEnd = ReplyEnd::terminator('\n');

// One command: its characters and CR LF, the reply read to its end (the
// first line unless `end` says otherwise); nothing when none came.
std::optional<QByteArray> optecSend(const FocuserExchange& line, const QByteArray& text,
                                    const ReplyEnd& end = kLineEnd)
{
    const std::optional<QByteArray> reply = line.send(text + "\r\n", 1, end);
    line.debug()([&] { return "Optec " + QString::fromLatin1(text) + ": "
                              + (reply ? QString::fromLatin1(*reply).trimmed() : QStringLiteral("no reply")); });
    return reply;
}

bool startsWithAny(const QByteArray& reply, const QByteArray& accepted)
{
    // `accepted`: alternatives separated by '|'.
    const QList<QByteArray> choices = accepted.split('|');
    return std::any_of(choices.begin(), choices.end(),
                       [&reply](const QByteArray& choice) { return reply.startsWith(choice); });
}

// Whether a whole line of `reply` is the answer.
bool holdsAnswer(QByteArrayView reply, const QByteArray& accepted)
{
    const QList<QByteArray> lines = reply.toByteArray().split('\n');
    // The last piece has no line end yet.
    return std::any_of(lines.begin(), lines.end() - 1,
                       [&accepted](const QByteArray& answer) { return startsWithAny(answer, accepted); });
}

bool answers(const FocuserExchange& line, const QByteArray& text, const QByteArray& accepted)
{
    // In an auto mode the controller's stream may come ahead of the answer:
    // the reply is read until a line of it answers (or the transport's time).
    ReplyEnd end;
    end.complete = [accepted](QByteArrayView gathered) { return holdsAnswer(gathered, accepted); };
    const std::optional<QByteArray> reply = optecSend(line, text, end);
    return reply && holdsAnswer(*reply, accepted);
}

// The position of a reply: "P=" and exactly four digits; a field cut short
// or run long by lost or stray bytes is none.
std::optional<int> unitsOf(const std::optional<QByteArray>& value)
{
    if (!value || value->size() != 4
        || !std::all_of(value->begin(), value->end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return value->toInt();
}

// The number after a reply's first two characters ("A=", "B=").
QByteArray valueOf(const QByteArray& reply)
{
    return reply.mid(2).trimmed();
}

// The value after `mark` in a reply, to its line's end; nothing when the
// reply holds no such mark (garbled, or another answer).
std::optional<QByteArray> markedValue(const std::optional<QByteArray>& reply, QByteArrayView mark)
{
    const qsizetype at = reply ? reply->indexOf(mark) : -1;
    if (at < 0)
        return std::nullopt;
    const QByteArray rest = reply->mid(at + mark.size());
    const qsizetype end = rest.indexOf('\r');
    return (end < 0 ? rest : rest.left(end)).trimmed();
}

// The probe: "FMMODE" answered by '!', three attempts 15 ticks apart.
bool probeOptec(const FocuserExchange& line)
{
    for (int attempt = 0; attempt < kProbeAttempts; ++attempt) {
        if (attempt > 0)
            line.pause(OptecControl::kRetryTicks);
        if (answers(line, "FMMODE", "!"))
            return true;
    }
    return false;
}

// Back to manual, then the controller's own end of the session.
void sayGoodbye(const FocuserExchange& line)
{
    optecSend(line, "FMMODE");
    optecSend(line, "FFMODE");
}

}  // namespace

OptecControl::OptecControl(SerialControl& serial, FocuserWorker& worker, QObject* parent)
    : FocuserControl(serial, worker, {kBaud, QStringLiteral("Optec"), &probeOptec, &sayGoodbye},
                     parent)
{
}

void OptecControl::command(const QByteArray& text, const QByteArray& accepted, Done done)
{
    if (!isConnected()) {
        done(false);
        return;
    }
    post([text, accepted](const FocuserExchange& line) { return answers(line, text, accepted); },
         std::move(done));
}

void OptecControl::probeGoodCommand(const QByteArray& text, const QByteArray& accepted, Done done)
{
    if (isConnected() && !m_isTempOK) {
        AlertPanel::beep();
        done(false);
        return;
    }
    command(text, accepted, std::move(done));
}

void OptecControl::optecFMMODE(Done done)
{
    retrying("FMMODE", "!", kProbeAttempts, [this, done = std::move(done)](bool ok) {
        if (ok)
            m_optecMode = kModeManual;
        done(ok);
    });
}

void OptecControl::retrying(const QByteArray& text, const QByteArray& accepted, int attempts, Done done)
{
    command(text, accepted, [this, text, accepted, attempts, done = std::move(done)](bool ok) {
        if (ok || attempts <= 1) {
            done(ok);
            return;
        }
        // The wait between attempts is the main thread's timer, not a blocked thread.
        after(kRetryTicks, [this, text, accepted, attempts, done] {
            retrying(text, accepted, attempts - 1, done);
        });
    });
}

void OptecControl::optecFFMODE(Done done)
{
    command("FFMODE", "END", [this, done = std::move(done)](bool ok) {
        if (ok)
            m_optecMode = kModeEnded;
        done(ok);
    });
}

void OptecControl::optecFAMODE(Done done)
{
    probeGoodCommand("FAMODE", "A", [this, done = std::move(done)](bool ok) {
        if (ok)
            m_optecMode = kModeA;
        done(ok);
    });
}

void OptecControl::optecFBMODE(Done done)
{
    probeGoodCommand("FBMODE", "B", [this, done = std::move(done)](bool ok) {
        if (ok)
            m_optecMode = kModeB;
        done(ok);
    });
}

void OptecControl::optecFSLEEP(Done done) { command("FSLEEP", "ZZZ", std::move(done)); }
void OptecControl::optecFWAKUP(Done done) { command("FWAKUP", "WAK", std::move(done)); }
void OptecControl::optecFHOME(Done done) { command("FHOME", "DON", std::move(done)); }

void OptecControl::optecFQUIT(bool flag, Done done)
{
    command(flag ? "FQUIT1" : "FQUIT0", "DON", std::move(done));
}

void OptecControl::optecFCENTR(Done done)
{
    if (isConnected()) {
        m_isMoveOwed = true;
        // With no position read yet, one as far from the centre as the
        // focuser goes: the move's ceiling is never short.
        beginMove(m_lastUnits.value_or(0), kCentreUnits, MoveWatch::Positions::AtEndOnly);
        expectArrivalAt(kCentreUnits);
    }
    retrying("FCENTR", "CEN", 2, std::move(done));
}

void OptecControl::optecFIN(int steps, Done done) { move("FI", steps, "*|P", std::move(done)); }
void OptecControl::optecFOUT(int steps, Done done) { move("FO", steps, "*", std::move(done)); }

void OptecControl::move(const char* prefix, int steps, const QByteArray& accepted, Done done)
{
    if (!isConnected() || steps < 0) {
        done(false);
        return;
    }
    m_isMoveOwed = true;
    const bool inward = prefix[1] == 'I';
    // With no position read yet the move is taken at its longest: its
    // ceiling is never short.
    const quint16 from = m_lastUnits.value_or(inward ? kMaxUnits : 0);
    const int target = from + (inward ? -steps : steps);
    beginMove(from, quint16(std::clamp<int>(target, 0, kMaxUnits)), MoveWatch::Positions::AtEndOnly);
    post(
        [prefix = QByteArray(prefix), steps, accepted](const FocuserExchange& line) {
            // Four digits hold 9999 steps: a longer move goes in parts.
            int left = steps;
            do {
                const int part = std::min(left, kMostStepsPerMove);
                if (!answers(line, prefix + QByteArray::number(part).rightJustified(4, '0'), accepted))
                    return false;
                left -= part;
            } while (left > 0);
            return true;
        },
        std::move(done));
}

void OptecControl::optecWriteA(int slope, Done done)
{
    probeGoodCommand("FLA" + QByteArray::number(slope).rightJustified(3, '0'), "DON", std::move(done));
}

void OptecControl::optecWriteB(int slope, Done done)
{
    probeGoodCommand("FLB" + QByteArray::number(slope).rightJustified(3, '0'), "DON", std::move(done));
}

void OptecControl::optecSetADelay(int delay, Done done)
{
    probeGoodCommand("FDA" + QByteArray::number(delay).rightJustified(3, '0'), "DON", std::move(done));
}

void OptecControl::optecSetBDelay(int delay, Done done)
{
    probeGoodCommand("FDB" + QByteArray::number(delay).rightJustified(3, '0'), "DON", std::move(done));
}

void OptecControl::optecReadUnits(std::function<void(int)> done)
{
    if (!isConnected()) {
        done(kCentreUnits);
        return;
    }
    post([](const FocuserExchange& line) { return optecSend(line, "FPOSRO"); },
         [this, done = std::move(done)](const std::optional<QByteArray>& reply) {
             const std::optional<int> units = unitsOf(markedValue(reply, kUnitsMark));
             if (units && *units <= kMaxUnits) {
                 m_lastUnits = quint16(*units);
                 notePosition(*m_lastUnits);
                 m_isMoveOwed = false;
                 settleMove(m_lastUnits);
                 done(*units);
             } else if (!m_isTempOK) {
                 done(kUnitsProbeBad);
             } else {
                 // An unreadable reply is no news of a move.
                 done(m_isMoveOwed ? kUnitsMoving : kUnitsUnread);
             }
         });
}

void OptecControl::optecReadTemp(std::function<void(float)> done)
{
    if (!isConnected()) {
        done(kTempNotConnected);
        return;
    }
    post([](const FocuserExchange& line) { return optecSend(line, "FTMPRO"); },
         [this, done = std::move(done)](const std::optional<QByteArray>& reply) {
             // The temperature is answered whatever the motor does; a position
             // may go unsaid while it moves and a move's answer come late.
             noteReply(reply.has_value());
             if (const std::optional<QByteArray> value = markedValue(reply, kTempMark)) {
                 bool ok = false;
                 const float temp = value->toFloat(&ok);
                 if (ok) {
                     m_isTempOK = true;
                     done(temp);
                     return;
                 }
             }
             if (markedValue(reply, kProbeErrorMark).value_or(QByteArray()).startsWith(kProbeFailed)) {
                 m_isTempOK = false;
                 done(kTempProbeFailed);
                 return;
             }
             done(kTempUnread);
         });
}

void OptecControl::optecReadStream(std::function<void(std::optional<OptecStream>)> done)
{
    if (!isConnected()) {
        done(std::nullopt);
        return;
    }
    post(
        [](const FocuserExchange& line) -> std::optional<OptecStream> {
            ReplyBuffer buffer{};
            if (line.serial().readOptecStream(buffer) <= 0)
                return std::nullopt;
            return OptecStream{line.serial().optecUnits(), line.serial().optecTemp()};
        },
        [this, done = std::move(done)](const std::optional<OptecStream>& stream) {
            if (stream && stream->units <= kMaxUnits)
                m_lastUnits = stream->units;
            done(stream);
        });
}

void OptecControl::optecFREADA(std::function<void(std::optional<int>)> done)
{
    readSlope("FREADA", std::move(done));
}

void OptecControl::optecFREADB(std::function<void(std::optional<int>)> done)
{
    readSlope("FREADB", std::move(done));
}

void OptecControl::readSlope(const char* text, std::function<void(std::optional<int>)> done)
{
    if (!isConnected()) {
        done(std::nullopt);
        return;
    }
    post(
        [text = QByteArray(text)](const FocuserExchange& line) -> std::optional<int> {
            const std::optional<QByteArray> reply = optecSend(line, text);
            bool ok = false;
            const int slope = reply ? valueOf(*reply).toInt(&ok) : 0;
            return ok ? std::optional<int>(slope) : std::nullopt;
        },
        std::move(done));
}

void OptecControl::disconnectPort()
{
    m_isMoveOwed = false;
    // A position of this connection is none of the next one's.
    m_lastUnits.reset();
    FocuserControl::disconnectPort();
}

void OptecControl::optecSetUnits(int target, Done done, std::function<void(const QString&)> refused)
{
    if (!isConnected()) {
        done(false);
        return;
    }
    if (target == kCentreUnits) {
        optecFCENTR(std::move(done));
        return;
    }
    readForGoto(target, kGotoReads, std::move(done), std::move(refused));
}

void OptecControl::readForGoto(int target, int readsLeft, Done done, std::function<void(const QString&)> refused)
{
    optecReadUnits([this, target, readsLeft, done = std::move(done), refused = std::move(refused)](int position) {
        if (position >= 0) {
            moveTo(target, position, done);
            return;
        }
        // The go-to waits for a position: no move from a guess.
        if (readsLeft > 1) {
            after(kRetryTicks, [this, target, readsLeft, done, refused] {
                readForGoto(target, readsLeft - 1, done, refused);
            });
            return;
        }
        if (refused)
            refused(position == kUnitsMoving ? QStringLiteral("The focuser is still moving.")
                                             : QStringLiteral("The focuser did not report its position."));
        done(false);
    });
}

void OptecControl::moveTo(int target, int position, Done done)
{
    if (position < target)
        optecFOUT(target - position, std::move(done));
    else
        optecFIN(position - target, std::move(done));
    expectArrivalAt(quint16(target));
}
