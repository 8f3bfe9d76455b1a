#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

#include <chrono>
#include <optional>
#include <vector>

// One focuser move the program waits on, along the path its motor takes:
// straight to its target, or past it and back where the controller takes
// up backlash. Progress is the motor's own: a reported position nearer the
// end of the leg it is on than any before on that leg; a "moving" answer,
// a busy line or steps back and forth are not. Every move also has a
// ceiling: its path at the family's slowest speed, plus a margin.
class MoveWatch {
public:
    // Beyond a move's steps at the slowest speed: the replies of a few
    // exchanges lost on the way, each asked again after the transport's 2 s.
    static constexpr std::chrono::milliseconds kCeilingMargin{10000};
    // How long a move may go without progress before it is given up; the
    // autofocus run waits as long for any answer it is owed.
    static constexpr std::chrono::milliseconds kStallLimit{10000};

    // Why a move was given up. Motion no move was asked for is given up as
    // having kept moving after a stop, or as having moved unasked.
    enum class Overdue { No, Stalled, PastCeiling, LineNeverQuiet, KeptMoving, MovedUnasked };

    // Whether the controller tells positions while its motor moves; one
    // that answers only at the end is held to the ceiling alone.
    enum class Positions { Reported, AtEndOnly };

    // How a move ends: by the family's own word (an end record, a motor
    // that says it stands), or also by the motor standing at its target
    // (a manual move run toward an end of the travel: it can go no further).
    enum class Ends { ByFamily, AtTarget };

    // Where the motor starts and the end of each of its legs in turn; the
    // last is the move's target.
    struct Path {
        quint16 from = 0;
        std::vector<quint16> legEnds;

        static Path direct(quint16 from, quint16 target);
        // Past `target` by `overshoot` steps the way the move goes (within
        // 0 … `most`), then back to it.
        static Path overshooting(quint16 from, quint16 target, int overshoot, quint16 most);
        // Every leg's steps.
        int steps() const;
    };

    void begin(Path path, double slowestStepsPerSecond, Positions positions = Positions::Reported,
               Ends ends = Ends::ByFamily);
    // A move straight from `from` to `target`.
    void begin(quint16 from, quint16 target, double slowestStepsPerSecond,
               Positions positions = Positions::Reported)
    {
        begin(Path::direct(from, target), slowestStepsPerSecond, positions);
    }
    // Motion no move was asked for (a motor that ran on after its stop,
    // echoes on a noisy line), watched as a move from `at` that goes
    // nowhere: bounded by the ceiling's margin alone.
    void beginUnasked(quint16 at, bool afterStop);
    // The move has ended, or been given up.
    void end();
    bool isOpen() const { return m_isOpen; }
    bool isUnasked() const { return m_isOpen && m_isUnasked; }
    // A position the motor reported; true when it is progress. A move that
    // ends at its target is ended by a position there.
    bool notePosition(quint16 position);
    // The family could not ask where the move ended: its line never fell
    // quiet. Until the motor shows progress again, a move overdue says so.
    void noteLineBusy();
    // Signs of progress so far, over every move.
    quint64 progress() const { return m_progress; }
    // Whether an open move went kStallLimit without progress or past its
    // ceiling, and why.
    Overdue overdue() const;

    // What the user is told of a move given up: why, whether the family's
    // stop went out, and where the focuser was last reported.
    static QString givenUpText(Overdue why, bool halted, std::optional<quint16> lastPosition);
    // What the user is told of a go-to taken as ended away from its target.
    static QString endedAwayTitle();
    static QString endedAwayText(quint16 at, quint16 target);

private:
    bool isLastLeg() const { return m_leg + 1 >= m_path.legEnds.size(); }
    // The leg after this one, from where the motor turned.
    void turn(quint16 at);

    bool m_isOpen = false;
    bool m_isUnasked = false;
    bool m_isAfterStop = false;
    Positions m_positions = Positions::Reported;
    Ends m_ends = Ends::ByFamily;
    Path m_path;
    size_t m_leg = 0;
    quint16 m_legStart = 0;
    int m_nearest = 0;  // steps from the leg's end, the fewest reported on this leg
    bool m_isLineBusy = false;
    quint64 m_progress = 0;
    std::chrono::milliseconds m_ceiling{0};
    QElapsedTimer m_sinceBegin;
    QElapsedTimer m_sinceProgress;
};
