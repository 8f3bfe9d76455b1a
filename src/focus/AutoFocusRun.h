#pragma once

#include "focus/FocusCurveFit.h"
#include "focus/FocusSample.h"
#include "focus/MoveWatch.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QTimer>

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class AutoFocusDevice;
class AutoFocusDisplay;
class FocusCameras;

// The autofocus sweep every serial focuser window runs: it moves the
// focuser inward by half the sweep, then through `images` positions
// `steps` apart, measures the brightest star `samples` times at each on
// fresh camera frames, fits a parabola to star area against position and
// reports its vertex as the best focus. One step of the run per curve-timer
// tick; a move's settling time and an answer the focuser still owes hold
// the ticks off instead of blocking. After each move the run waits for the
// focuser to say the move has ended, then measures a frame exposed wholly
// after that. The limit counts from the motor's last progress along its
// move's path, and the family's watch of the move says when the move is
// overdue and why (stalled, past its ceiling, never confirmed); what the
// focuser cannot confirm in time ends the run, a move that may still go on
// stopped first.
class AutoFocusRun final : public QObject {
    Q_OBJECT
public:
    static constexpr int kStartTag = 13;      // start, or abort a run
    static constexpr int kBestFocusTag = 14;  // go to the best focus
    static constexpr std::chrono::milliseconds kCurveInterval{250};
    static constexpr std::chrono::microseconds kTick{16667};

    AutoFocusRun(AutoFocusDevice& device, AutoFocusDisplay& display, FocusCameras& cameras,
                 std::chrono::microseconds tick = kTick, QObject* parent = nullptr);

    // The curve buttons; a beep while the focuser is not connected.
    void curveAction(int tag);
    // One step of the run.
    void curveTick();
    // Ends a run (or its start) without a fit; answers it awaits are dropped.
    void abort();

    void setSamples(quint16 samples) { m_samples = samples; }
    void setImages(quint16 images) { m_images = images; }
    void setSteps(quint16 steps) { m_steps = steps; }
    quint16 samples() const { return m_samples; }
    quint16 images() const { return m_images; }
    quint16 steps() const { return m_steps; }
    // The sample count of a run.
    quint16 maxImages() const { return quint16(m_samples * m_images); }

    // What the curve view and the camera preview read.
    std::span<const FocusSample> dataStore() const { return m_store; }
    // The positions and samples a position of the last run's store, which
    // keep its grouping when the fields change before the next run.
    struct StoreLayout {
        quint16 images = 0;
        quint16 samples = 0;
    };
    StoreLayout storeLayout() const { return m_storeLayout; }
    bool isRun() const { return m_isRun; }
    bool isCurveDone() const { return m_isCurveDone; }
    double curveCoeff(int index) const { return m_coeff.at(size_t(index)); }
    quint16 bestFocus() const { return m_bestFocus; }
    void setBestFocus(quint16 steps) { m_bestFocus = steps; }
    float rmsError() const { return m_rmsError; }
    quint16 dataIndex() const { return m_dataIndex; }
    QPoint curvePt() const { return m_curvePt; }
    double focusScale() const;
    bool isFocuserConnected() const;
    bool isCurveTimerActive() const { return m_timer.isActive(); }
    // Whether the run waits for the focuser's answer to a read or move.
    bool isAwaitingFocuser() const { return m_isAwaiting; }
    // Tests shorten the wait for the focuser's confirmation.
    void setConfirmLimit(std::chrono::milliseconds margin) { m_confirmMargin = margin; }

    // Set while a run talks to the focuser, so that the window's other
    // timers keep off its replies.
    bool isTimerBlock() const { return m_isTimerBlock; }
    void setIsTimerBlock(bool block) { m_isTimerBlock = block; }

private:
    // What the ticks wait for before the next sample.
    enum class Wait {
        Frame,           // a fresh frame at the focuser's position
        MoveEnd,         // the focuser to say its move has ended
        FrameAfterMove,  // the frame exposed across the move's end, dropped
        Position,        // a good position for the sample just measured
    };

    void start();
    void begin(quint16 position);
    void gotoBestFocus();
    // Measures the star into the sample at the data index; false when it has none.
    bool takeSample();
    // Asks the position of the sample just measured; a failed read is asked
    // again at the next tick.
    void readSamplePosition();
    void sampleTaken(quint16 position);
    // A move was made: the ticks wait for it to settle and end.
    void moved(int settleTicks);
    void nextFrame();
    // The focuser has until `limit` from now to confirm what the run asked.
    void confirmWithin(std::chrono::milliseconds limit);
    // A sign of progress since the last look gives the focuser its whole
    // margin again from now.
    void restartOnProgress();
    bool isPastConfirmLimit() const;
    // The focuser confirmed nothing in time, or its move is overdue for
    // `why`: a move that may still go on is stopped, and the alert says so.
    void giveUp(MoveWatch::Overdue why);
    // The continuation of a read or move: it runs only while the run it
    // was asked for lasts, and holds the ticks off until then.
    template <typename Value>
    std::function<void(Value)> resume(std::function<void(Value)> next);
    // Clears the run's counters and timer; the two endings below add their own.
    void stopRun();
    void endRun();
    // Stops a run whose measurement or move failed, with the alert.
    void failRun(const QString& why);
    void stopTimer();
    void settle(int ticks);
    // True while a move settles.
    bool isSettling();

    AutoFocusDevice& m_device;
    AutoFocusDisplay& m_display;
    FocusCameras& m_cameras;
    std::chrono::microseconds m_tick;
    QTimer m_timer;
    QElapsedTimer m_settleClock;
    std::chrono::microseconds m_settleFor{0};
    bool m_isSettling = false;
    bool m_isAwaiting = false;
    Wait m_wait = Wait::Frame;
    // How long the run waits from the focuser's last sign of progress for
    // it to confirm a move's end or a position: as long as a move may stall.
    std::chrono::milliseconds m_confirmMargin = MoveWatch::kStallLimit;
    // While the focuser owes a confirmation: when it is due by.
    std::optional<std::chrono::steady_clock::time_point> m_confirmBy;
    quint64 m_seenProgress = 0;
    // A move was asked for and its end not yet confirmed: the motor may run.
    bool m_isMoveOpen = false;
    quint32 m_runNumber = 0;  // answers for an earlier run are dropped

    quint16 m_samples = 1;
    quint16 m_images = 7;
    quint16 m_steps = 100;
    std::vector<FocusSample> m_store;
    StoreLayout m_storeLayout;
    quint16 m_dataIndex = 0;
    quint16 m_sampleCount = 0;
    quint16 m_imageCount = 0;
    quint16 m_bestFocus = 0;
    float m_rmsError = 0.0f;
    std::array<double, 3> m_coeff{};
    QPoint m_curvePt;
    bool m_isRun = false;
    bool m_isCurveDone = false;
    bool m_isTimerBlock = false;
};
