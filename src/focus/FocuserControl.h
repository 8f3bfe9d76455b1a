#pragma once

#include "focus/FocuserExchange.h"
#include "focus/MoveWatch.h"
#include "mount/links/ConnectMenuLinks.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <type_traits>

class FocuserWorker;
class SerialControl;

// The command layer every serial focuser shares: it finds the focuser on
// the focuser slot of the serial transport (the port the Connect menu
// chose, or each listed port in turn) and holds the connection. Every
// exchange, the search and its probe included, runs on the port's worker;
// the main thread only posts work and takes its result in a continuation.
// A model says its speed and probe and builds its commands.
class FocuserControl : public QObject, public MenuDevice {
    Q_OBJECT
public:
    using Probe = std::function<ProbeAnswer(const FocuserExchange&)>;
    struct Model {
        long baud;
        QString debugName;
        // Asks the focuser on the open slot whether it is there; runs on
        // the worker with nothing but the line it is given.
        Probe probe;
        // What a connected focuser is sent on the worker before its slot
        // closes at a disconnect.
        std::function<void(const FocuserExchange&)> farewell = {};
    };

    FocuserControl(SerialControl& serial, FocuserWorker& worker, Model model,
                   QObject* parent = nullptr);
    ~FocuserControl() override;

    bool isConnected() const override { return m_isConnect; }
    // Starts the search; true once it runs (or the focuser is connected).
    bool connectDevice() override { return initPort({}); }
    void disconnectDevice() override { disconnectPort(); }

    // Lists the ports afresh and starts the search on the worker unless the
    // focuser is connected; `ended` hears on the main thread whether it
    // found the focuser. False when no search can start (one runs, the
    // slot is busy, no port).
    bool initPort(std::function<void(bool)> ended);
    // Closes the slot; a search under way is dropped and what it found
    // closed, and results still to come are not delivered.
    virtual void disconnectPort();
    bool isConnecting() const { return m_isConnecting; }
    // Why the last search did not start or found no focuser, in words for
    // the user; empty after a search that found it.
    QString connectFailure() const override { return m_connectFailure; }
    // The port's list index + 1; 0 when not connected.
    quint16 port() const { return m_port; }
    // Units of work posted whose result has not come back, and waits
    // (after) still to run.
    int pendingExchanges() const { return m_pending; }
    // Replies waited for in a row that did not come, since the focuser was
    // found: a focuser fallen silent on a port that stays open.
    int silentReplies() const { return m_silentReplies; }
    // Signs so far that a motor gets on along its move's path.
    quint64 progress() const { return m_move.progress(); }
    // Whether the move under way went too long without progress, or past
    // its ceiling, and why.
    MoveWatch::Overdue moveOverdue() const { return m_move.overdue(); }
    // The move has ended, or was given up or stopped (its stop sent): it is
    // no longer watched, and where it ended is no news.
    void endMove();
    // Whether the motion watched is none a move asked for.
    bool isUnaskedMotion() const { return m_move.isUnasked(); }
    // Whether the move now given up is news to the user: motion no move
    // asked for is told once, until a move is asked or the motor comes to rest.
    bool takeGiveUpNews();

    // Runs `work(const FocuserExchange&)` on the worker, then `then(result)`
    // on the main thread, unless the focuser was disconnected in between.
    template <typename Work, typename Then>
    void post(Work work, Then then)
    {
        using Result = std::invoke_result_t<Work&, const FocuserExchange&>;
        postWork([this, work = std::move(work), then = std::move(then),
                  session = m_session](const FocuserExchange& line) mutable -> std::function<void()> {
            Result result = work(line);
            // Read on the main thread only, once this control is known alive.
            return [this, then, result = std::move(result), session] {
                if (session == m_session)
                    then(result);
            };
        });
    }
    // Runs `next` on the main thread `ticks` (1/60 s of the worker's
    // clock) from now, unless the focuser was disconnected in between: the
    // tick waits between attempts, never a blocked thread.
    void after(int ticks, std::function<void()> next);

    // Asks on the worker whether the focuser's port hung up (the adapter
    // pulled, the line gone); `done` hears it on the main thread.
    void checkLine(std::function<void(bool hungUp)> done);

    // Runs `work` on the worker, its outcome unheard.
    template <typename Work>
    void post(Work work)
    {
        postWork([work = std::move(work)](const FocuserExchange& line) mutable -> std::function<void()> {
            work(line);
            return [] {};
        });
    }

protected:
    // A model reports each reply it waited for (not one a moving focuser
    // may leave unsaid by design): whether it came.
    void noteReply(bool heard) { m_silentReplies = heard ? 0 : m_silentReplies + 1; }
    // The slowest a family's motor steps, as its documents give it or the
    // program sets it: what bounds a move's time.
    virtual double slowestStepsPerSecond() const = 0;
    // A move from `from` to `target` went out.
    void beginMove(quint16 from, quint16 target,
                   MoveWatch::Positions positions = MoveWatch::Positions::Reported)
    {
        beginMove(MoveWatch::Path::direct(from, target), MoveWatch::Ends::ByFamily, positions);
    }
    // A move along `path` went out.
    void beginMove(MoveWatch::Path path, MoveWatch::Ends ends,
                   MoveWatch::Positions positions = MoveWatch::Positions::Reported);
    // The move just begun is a go-to: ended away from `target` other than
    // by a stop, the user is told where it stopped.
    void expectArrivalAt(quint16 target)
    {
        if (m_move.isOpen())
            m_arrival = target;
    }
    // The go-to was stopped: where it ends is no news.
    void forgetArrival()
    {
        m_arrival.reset();
        m_isArrivalOwed = false;
    }
    // The family took its move as ended by its own word; `at` where the
    // motor stands when that word said so, else the next position read.
    void settleMove(std::optional<quint16> at);
    // Motion no move was asked for, from `at`: watched unless a move is.
    void watchUnaskedMotion(quint16 at, bool afterStop);
    bool isMoveOpen() const { return m_move.isOpen(); }
    // A position the motor reported, during a move or not.
    void notePosition(quint16 position);
    // The move's end could not be asked: the line never fell quiet.
    void noteLineBusy() { m_move.noteLineBusy(); }
    // A move that ends at its target reached it: its motor stands there.
    virtual void moveReachedItsEnd() {}
    // Writes a line to the debug log while debugging is on.
    void writeDebug(const QString& line) const;
    // The unit of the worker's waits: 1/60 s.
    std::chrono::microseconds tick() const;
    SerialControl& serial() const { return m_serial; }

private:
    // Runs `work` on the worker; what it returns runs on the main thread
    // while this control lives.
    void postWork(std::function<std::function<void()>(const FocuserExchange&)> work);
    void searchEnded(const FocuserExchange::Search& found, quint32 scan,
                     const std::function<void(bool)>& ended);
    // Why a search that ran found no focuser, in words for the user.
    static QString searchFailure(const FocuserExchange::Search& found);

    SerialControl& m_serial;
    FocuserWorker& m_worker;
    Model m_model;
    FocuserExchange m_line;
    bool m_isConnect = false;
    bool m_isConnecting = false;
    QString m_connectFailure;
    quint16 m_port = 0;
    int m_pending = 0;
    int m_silentReplies = 0;
    MoveWatch m_move;
    // A go-to's target until its end is known; owed: the next position read tells.
    std::optional<quint16> m_arrival;
    bool m_isArrivalOwed = false;
    bool m_isUnaskedTold = false;
    quint32 m_scan = 0;     // the search whose outcome is awaited
    quint32 m_session = 0;  // results of an earlier connection are dropped
};
