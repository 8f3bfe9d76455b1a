#pragma once

#include "StarImages.h"

#include "focus/AutoFocusDevice.h"
#include "focus/AutoFocusDisplay.h"
#include "focus/FocusImageSource.h"

#include <QStringList>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <vector>

// A focuser whose position follows its moves.
class FakeFocuser : public AutoFocusDevice {
public:
    bool isFocuserConnected() const override { return connected; }
    // Answers at once, or (with `deferAnswers`) when the test calls answer().
    void readFocusPosition(PositionRead done) override
    {
        std::optional<quint16> read = position;
        if (readsLeft == 0)
            read.reset();
        else if (readsLeft > 0)
            --readsLeft;
        reply([done, read] { done(read); });
    }
    void moveInwardForRun(quint16 from, quint16 steps, MoveDone done) override
    {
        if (!refuseMoves)
            moveTo(quint16(from - steps), -int(steps));
        reply([this, done] { done(refuseMoves ? std::nullopt : std::optional<int>(settleTicks)); });
    }
    void advanceRun(quint16 steps, MoveDone done) override
    {
        if (!refuseMoves)
            moveTo(quint16(position + steps), steps);
        reply([this, done] { done(refuseMoves ? std::nullopt : std::optional<int>(settleTicks)); });
    }
    // Gives the answers held back, in order.
    void answer()
    {
        std::vector<std::function<void()>> held;
        held.swap(heldAnswers);
        for (const auto& give : held)
            give();
    }
    bool isReadyForSample() override
    {
        if (m_movingLeft > 0) {
            --m_movingLeft;
            return false;
        }
        m_shown = position;
        return ready;
    }
    // Where the optics are: with `movingTicks`, a move shows once the
    // focuser has said that it ended.
    quint16 opticsPosition() const { return movingTicks > 0 ? m_shown : position; }
    double focusScale() const override { return scale; }
    void gotoBestFocus(quint16 target) override
    {
        position = target;
        gotos.push_back(target);
    }
    bool clearsPlotAtBestFocus() const override { return clearsPlot; }
    // A moving motor shows a new sign at every look, however late it comes.
    quint64 progressCount() const override { return progressing ? ++progress : progress; }
    MoveWatch::Overdue moveOverdue() const override
    {
        return pastCeiling ? MoveWatch::Overdue::PastCeiling : MoveWatch::Overdue::No;
    }
    bool haltRun() override
    {
        ++halts;
        return hasStop;
    }
    std::optional<quint16> lastKnownPosition() const override { return position; }

    bool connected = true;
    bool deferAnswers = false;
    std::vector<std::function<void()>> heldAnswers;
    bool ready = true;
    bool refuseMoves = false;
    bool clearsPlot = false;
    int readsLeft = -1;  // reads that succeed; -1 for all
    int settleTicks = 0;
    // Checks of its end each move takes.
    int movingTicks = 0;
    double scale = 7000.0;
    quint16 position = 3000;
    bool progressing = false;
    bool pastCeiling = false;
    mutable quint64 progress = 0;  // signs that the motor gets on
    bool hasStop = true;
    int halts = 0;
    std::vector<int> moves;
    std::vector<quint16> gotos;

private:
    void moveTo(quint16 target, int steps)
    {
        m_shown = position;
        m_movingLeft = movingTicks;
        position = target;
        moves.push_back(steps);
    }
    void reply(std::function<void()> give)
    {
        if (deferAnswers)
            heldAnswers.push_back(std::move(give));
        else
            give();
    }

    int m_movingLeft = 0;
    quint16 m_shown = 0;
};

// A camera that draws one star, sharpest at the focuser position `best`,
// its Gaussian width growing so that its area is a parabola in defocus.
// It refills its frame only when asked (flag clear), as the cameras do.
// With `exposesBetweenFrames` each frame is exposed from the delivery of the
// one before, and shows where the optics were when its exposure began.
class FakeStarCamera : public FocusImageSource {
public:
    explicit FakeStarCamera(const FakeFocuser& focuser, quint16 best = 3000)
        : m_focuser(focuser), m_best(best) {}

    bool isCameraConnected() const override { return connected; }
    bool hasFocusImage() const override { return m_fresh; }
    void setHasFocusImage(bool fresh) override { m_fresh = fresh; }
    FocusPixels focusImage() const override
    {
        // A frame measured twice would not be a fresh sample.
        if (!m_measured.insert(m_frameNumber).second)
            ++reusedFrames;
        measuredAt.push_back(m_framePosition);
        return m_frame.image();
    }

    // A new frame comes from the camera: taken only when the flag is clear.
    void deliver()
    {
        const quint16 now = m_focuser.opticsPosition();
        const quint16 exposedAt = exposesBetweenFrames ? std::exchange(m_exposureStart, now) : now;
        if (m_fresh)
            return;
        m_framePosition = exposedAt;
        const double defocus = double(exposedAt) - m_best;
        const double sigma = std::sqrt(1.5 * 1.5 + (defocus / 80.0) * (defocus / 80.0));
        m_frame = StarImage(160, 120, 8);
        m_frame.addGaussian(80.3, 60.6, sigma, 230.0);
        ++m_frameNumber;
        m_fresh = true;
    }

    bool connected = true;
    bool exposesBetweenFrames = false;
    mutable int reusedFrames = 0;
    // Where the optics were for each frame measured, in order.
    mutable std::vector<quint16> measuredAt;

private:
    const FakeFocuser& m_focuser;
    double m_best;
    quint16 m_exposureStart = 0;
    quint16 m_framePosition = 0;
    StarImage m_frame;
    int m_frameNumber = 0;
    bool m_fresh = false;
    mutable std::set<int> m_measured;
};

// Records what an autofocus run shows.
class RecordingFocusDisplay : public AutoFocusDisplay {
public:
    void showRunning(bool on) override { running = on; }
    void showProgress(int percent) override { progress.push_back(percent); }
    void showFocusResult(quint16 best, float rms) override
    {
        shownBest = best;
        shownRMS = rms;
    }
    void showRunPosition(quint16 position) override { positions.push_back(position); }
    void redrawCurve() override { ++redraws; }

    bool running = false;
    std::vector<int> progress;
    std::vector<quint16> positions;
    int shownBest = -1;
    float shownRMS = -1.0f;
    int redraws = 0;
};
