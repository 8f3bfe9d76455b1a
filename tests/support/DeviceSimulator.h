#pragma once

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// A device on the far side of a descriptor (a pty master or an accepted
// socket), for tests of everything that talks to serial devices. It answers
// requests from a command table, each matched byte for byte, with one burst
// after the reply delay; it logs every byte it receives; and it can misbehave
// on request. It runs on its own thread from start() until stop() or its
// destruction.
class DeviceSimulator {
public:
    using Duration = std::chrono::milliseconds;

    // One part of a reply, sent `after` the previous one.
    struct ReplyPart {
        QByteArray bytes;
        Duration after{0};
    };
    // A device that takes any byte it receives while it answers (a motor's
    // move) as a stop: given the bytes and how many of the reply's bytes went
    // out, the reply sent instead of the rest.
    using Interruption = std::function<std::vector<ReplyPart>(const QByteArray& received, qsizetype sent)>;
    // What a responder makes of the pending input: the bytes it took (0:
    // wait for more) and the reply, which may be empty.
    struct Response {
        qsizetype consumed = 0;
        std::vector<ReplyPart> parts;
        // The bytes taken were noise, not a request: frames() leaves them out.
        bool noise = false;
        // Set: bytes received while the parts go out end them.
        Interruption interrupted = {};
    };
    using Responder = std::function<Response(const QByteArray& pending)>;

    DeviceSimulator() = default;
    ~DeviceSimulator() { stop(); }
    DeviceSimulator(const DeviceSimulator&) = delete;
    DeviceSimulator& operator=(const DeviceSimulator&) = delete;

    // The command table and the timing; set before start().
    void answer(QByteArray request, QByteArray reply);
    void setReplyDelay(Duration delay) { m_delay = delay; }
    // A device with state answers through a responder instead of the table.
    void respond(Responder responder) { m_responder = std::move(responder); }

    // Logs, never answers; also while running: a device that freezes.
    void dropAnswers() { m_noAnswer = true; }
    // Faults, set before start().
    void shortenReplies(qsizetype keep) { m_keep = keep; }         // only the first bytes
    void garbleReplies(QByteArray garbage) { m_garbage = std::move(garbage); }
    // Every `nth` answer (all its parts) comes as noise of its own length:
    // each byte inverted, so no terminator or frame survives.
    void garbleEvery(int nth) { m_garbleEvery = nth; }
    // Every `nth` answer due is lost on the line: the device takes the time
    // it takes to answer, and nothing comes.
    void dropEvery(int nth) { m_dropEvery = nth; }
    void splitReplies(qsizetype at, Duration gap) { m_splitAt = at; m_splitGap = gap; }
    // Every reply of two bytes or more pauses `gap` halfway.
    void splitRepliesInHalf(Duration gap) { m_splitHalf = true; m_splitGap = gap; }
    void stopAnsweringAfter(int commands) { m_answerLimit = commands; }
    // The answer to the next request starting with `request` waits until
    // released (also while running): a test acts while that exchange is
    // surely under way, however late its thread runs.
    void holdReplyTo(QByteArray request);
    void releaseReply();
    // Closes the connection as soon as a request has come instead of answering;
    // a socket is reset rather than closed in order.
    void closeOnRequest() { m_closeOnRequest = true; }

    // Serves `fd`, which it owns from now on.
    void start(int fd);
    void stop();

    // Sends bytes unasked, in one burst (a device that talks by itself).
    void send(const QByteArray& bytes);
    // From now on sends `bytes` unasked every `every`, for ever (a device
    // that streams, or one that trickles a byte at a time); an empty
    // `bytes` ends it. Bytes the other side leaves unread are dropped.
    void babble(QByteArray bytes, Duration every);
    // Every byte received so far.
    QByteArray received() const;
    // Every request a responder took, whole and in order, as received.
    std::vector<QByteArray> frames() const;
    int answered() const { return m_answered; }
    // Whether every byte sent to the device so far was read and served.
    bool isDrained() const;
    // When the last reply bytes went out; read on the device's own thread
    // (a responder or an interruption).
    std::chrono::steady_clock::time_point lastSentAt() const { return m_lastSentAt; }

private:
    void run();
    // False when bytes received on the way ended it (an interruption armed).
    bool reply(const QByteArray& bytes, bool garbled = false);
    void reply(const std::vector<ReplyPart>& parts, bool garbled, const Interruption& interrupted);
    // Waits `span`; with an interruption armed, a byte received ends the
    // wait early and is kept in m_interruption: false then.
    bool waitUnlessInterrupted(Duration span);
    // The time an answer takes, spent without sending it.
    void spendAnswerTime(const std::vector<ReplyPart>& parts) const;
    // Closes instead of answering; false when it did.
    bool answerOrClose(const std::vector<ReplyPart>& parts, const Interruption& interrupted = {});
    void writeAll(const char* bytes, qsizetype size);
    // Sends the babble when it is due, never waiting for room.
    void babbleIfDue();
    // Answers every whole request at the front of the pending input.
    bool serve(QByteArray& pending);
    void waitIfHeld(const QByteArray& frame);

    std::vector<std::pair<QByteArray, QByteArray>> m_table;
    Responder m_responder;
    Duration m_delay{0};
    std::atomic<bool> m_noAnswer = false;
    bool m_held = false;        // under m_mutex
    QByteArray m_heldRequest;  // under m_mutex
    std::condition_variable m_holdChanged;
    qsizetype m_keep = -1;
    QByteArray m_garbage;
    int m_garbleEvery = 0;
    int m_dropEvery = 0;
    int m_due = 0;  // answers due so far, lost ones included
    qsizetype m_splitAt = -1;
    Duration m_splitGap{0};
    bool m_splitHalf = false;
    int m_answerLimit = -1;
    bool m_closeOnRequest = false;

    // The reply going out may be interrupted; its bytes sent so far, and
    // what interrupted it.
    bool m_interruptible = false;
    qsizetype m_sent = 0;
    QByteArray m_interruption;
    std::atomic<int> m_fd = -1;
    // Set from a read until what it brought was served.
    std::atomic<bool> m_busy = false;
    QByteArray m_babble;            // under m_mutex
    Duration m_babbleEvery{0};
    std::chrono::steady_clock::time_point m_nextBabble;
    std::atomic<bool> m_running = false;
    std::atomic<int> m_answered = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    QByteArray m_received;
    std::chrono::steady_clock::time_point m_lastSentAt;
    std::vector<QByteArray> m_frames;  // under m_mutex
};
