#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QtGlobal>

#include <chrono>
#include <optional>

// One focuser move the program waits on. Progress is the motor's own: a
// reported position nearer the move's target than any before it in this
// move; a "moving" answer, a busy line or steps back and forth are not.
// Every move also has a ceiling: its steps at the family's slowest speed,
// plus a margin.
class MoveWatch {
public:
    // Beyond a move's steps at the slowest speed: the replies of a few
    // exchanges lost on the way, each asked again after the transport's 2 s.
    static constexpr std::chrono::milliseconds kCeilingMargin{10000};
    // How long a move may go without progress before it is given up.
    static constexpr std::chrono::milliseconds kStallLimit{10000};

    // Why a move was given up.
    enum class Overdue { No, Stalled, PastCeiling };

    // Whether the controller tells positions while its motor moves; one
    // that answers only at the end is held to the ceiling alone.
    enum class Positions { Reported, AtEndOnly };

    // A move from `from` to `target` of a motor that makes at least
    // `slowestStepsPerSecond`.
    void begin(quint16 from, quint16 target, double slowestStepsPerSecond,
               Positions positions = Positions::Reported);
    // The move has ended, or been given up.
    void end();
    // A position the motor reported; true when it is progress.
    bool notePosition(quint16 position);
    // Signs of progress so far, over every move.
    quint64 progress() const { return m_progress; }
    bool isPastCeiling() const;
    // Whether an open move went kStallLimit without progress or past its ceiling.
    Overdue overdue() const;

    // What the user is told of a move given up: why, whether the family's
    // stop went out, and where the focuser was last reported.
    static QString givenUpText(Overdue why, bool halted, std::optional<quint16> lastPosition);

private:
    bool m_isOpen = false;
    Positions m_positions = Positions::Reported;
    quint16 m_target = 0;
    int m_nearest = 0;  // steps from the target, the fewest reported in this move
    quint64 m_progress = 0;
    std::chrono::milliseconds m_ceiling{0};
    QElapsedTimer m_sinceBegin;
    QElapsedTimer m_sinceProgress;
};
