#include "focus/AutoFocusRun.h"

#include "focus/AutoFocusDevice.h"
#include "focus/AutoFocusDisplay.h"
#include "focus/FocusCameras.h"
#include "focus/StarMeasure.h"
#include "platform/AlertPanel.h"

#include <QPointer>

#include <algorithm>

namespace {

const QString kStartFailed = QStringLiteral("Curve calculation failed to start");
const QString kCurveFailed = QStringLiteral("Curve calculation failed");
const QString kNotConfirmed =
    QStringLiteral("The focuser did not confirm its move or position in time. It was left where it is.");

}  // namespace

AutoFocusRun::AutoFocusRun(AutoFocusDevice& device, AutoFocusDisplay& display,
                           FocusCameras& cameras, std::chrono::microseconds tick, QObject* parent)
    : QObject(parent), m_device(device), m_display(display), m_cameras(cameras), m_tick(tick)
{
    m_timer.setInterval(kCurveInterval);
    connect(&m_timer, &QTimer::timeout, this, &AutoFocusRun::curveTick);
}

double AutoFocusRun::focusScale() const
{
    return m_device.focusScale();
}

bool AutoFocusRun::isFocuserConnected() const
{
    return m_device.isFocuserConnected();
}

void AutoFocusRun::curveAction(int tag)
{
    if (!m_device.isFocuserConnected()) {
        AlertPanel::beep();
        return;
    }
    if (tag == kStartTag)
        m_isRun || m_isAwaiting ? abort() : start();
    else if (tag == kBestFocusTag)
        gotoBestFocus();
}

template <typename Value>
std::function<void(Value)> AutoFocusRun::resume(std::function<void(Value)> next)
{
    m_isAwaiting = true;
    const QPointer<AutoFocusRun> self(this);
    return [self, number = m_runNumber, next = std::move(next)](Value value) {
        if (!self || self->m_runNumber != number)
            return;
        self->m_isAwaiting = false;
        next(std::move(value));
    };
}

void AutoFocusRun::start()
{
    if (m_isAwaiting)
        return;
    ++m_runNumber;
    m_device.readFocusPosition(resume<std::optional<quint16>>([this](std::optional<quint16> position) {
        if (position)
            begin(*position);
        else
            AlertPanel::beep();
    }));
}

void AutoFocusRun::begin(quint16 position)
{
    m_isTimerBlock = true;
    m_store.assign(maxImages(), FocusSample{});
    m_storeLayout = {m_images, m_samples};
    m_display.showRunning(true);
    m_bestFocus = 0;
    m_rmsError = 0.0f;
    m_isRun = true;
    m_isCurveDone = false;
    m_sampleCount = 0;
    m_imageCount = 0;
    m_curvePt = QPoint();
    m_display.redrawCurve();

    const auto half = quint16(std::min<int>(position, int(m_steps * m_images * 0.5)));
    m_isMoveOpen = true;
    m_device.moveInwardForRun(position, half, resume<std::optional<int>>([this](std::optional<int> wait) {
        if (!wait) {
            m_isMoveOpen = false;
            // The run stays marked as running until the user aborts it.
            AlertPanel::runAlert(kStartFailed, QStringLiteral(" "));
            return;
        }
        moved(*wait);
        m_display.showFocusResult(0, 0.0f);
        m_display.showProgress(0);
        if (!m_timer.isActive())
            m_timer.start();
    }));
}

void AutoFocusRun::curveTick()
{
    // A tick queued, or asked for, after the run ended or before it moved.
    if (!m_isRun || !m_timer.isActive())
        return;
    restartOnProgress();
    const MoveWatch::Overdue why = m_isMoveOpen ? m_device.moveOverdue() : MoveWatch::Overdue::No;
    if (why != MoveWatch::Overdue::No || isPastConfirmLimit()) {
        giveUp(why);
        return;
    }
    if (m_isAwaiting || isSettling())
        return;
    switch (m_wait) {
    case Wait::MoveEnd:
        if (!m_device.isReadyForSample())
            return;
        // Frames exposed while it moved show another focus.
        m_isMoveOpen = false;
        m_confirmBy.reset();
        m_cameras.clearNewImages();
        m_wait = Wait::FrameAfterMove;
        return;
    case Wait::FrameAfterMove:
        // The first frame after the end was being exposed when it came.
        if (m_cameras.hasNewImage()) {
            m_cameras.clearNewImages();
            m_wait = Wait::Frame;
        }
        return;
    case Wait::Position:
        readSamplePosition();
        return;
    case Wait::Frame:
        break;
    }
    if (!m_cameras.hasNewImage())
        return;
    if (m_imageCount >= m_images) {
        endRun();
        return;
    }
    m_dataIndex = quint16(m_imageCount * m_samples + m_sampleCount);
    if (++m_sampleCount >= m_samples) {
        m_sampleCount = 0;
        ++m_imageCount;
    }
    m_display.showProgress(m_imageCount * 100 / std::max<int>(m_images, 1));
    if (!takeSample()) {
        failRun(QStringLiteral(" "));
        return;
    }
    confirmWithin(m_confirmMargin);
    readSamplePosition();
}

void AutoFocusRun::readSamplePosition()
{
    m_wait = Wait::Position;
    m_device.readFocusPosition(resume<std::optional<quint16>>([this](std::optional<quint16> position) {
        if (position)
            sampleTaken(*position);
    }));
}

bool AutoFocusRun::takeSample()
{
    const StarSize star = StarMeasure::measure(m_cameras.currentImage(), m_device.starBox());
    m_curvePt = star.brightest;
    if (m_dataIndex >= m_store.size())
        return false;
    FocusSample& sample = m_store[m_dataIndex];
    sample.halfFluxRadius = star.halfFluxRadius;
    sample.starArea = star.starArea;
    return true;
}

void AutoFocusRun::sampleTaken(quint16 position)
{
    m_confirmBy.reset();
    m_store[m_dataIndex].focusPosition = position;
    m_display.showRunPosition(position);
    if (m_imageCount >= m_images) {
        m_curvePt = QPoint();
        endRun();
        return;
    }
    if (m_sampleCount != 0) {
        nextFrame();
        return;
    }
    confirmWithin(m_confirmMargin);
    m_isMoveOpen = true;
    m_device.advanceRun(m_steps, resume<std::optional<int>>([this](std::optional<int> settleTicks) {
        if (!settleTicks) {
            m_isMoveOpen = false;
            failRun(QStringLiteral(" "));
            return;
        }
        m_display.redrawCurve();
        moved(*settleTicks);
    }));
}

void AutoFocusRun::moved(int settleTicks)
{
    m_cameras.clearNewImages();
    settle(settleTicks);
    // The settling is the run's own wait: the margin starts after it.
    confirmWithin(m_confirmMargin + std::chrono::duration_cast<std::chrono::milliseconds>(m_tick * settleTicks));
    m_wait = Wait::MoveEnd;
}

void AutoFocusRun::nextFrame()
{
    m_display.redrawCurve();
    // Every sample is taken on a frame that came after this one.
    m_cameras.clearNewImages();
    m_wait = Wait::Frame;
}

void AutoFocusRun::confirmWithin(std::chrono::milliseconds limit)
{
    m_confirmBy = std::chrono::steady_clock::now() + limit;
    m_seenProgress = m_device.progressCount();
}

void AutoFocusRun::restartOnProgress()
{
    const quint64 progress = m_device.progressCount();
    if (!m_confirmBy || progress == m_seenProgress)
        return;
    m_seenProgress = progress;
    m_confirmBy = std::max(*m_confirmBy, std::chrono::steady_clock::now() + m_confirmMargin);
}

bool AutoFocusRun::isPastConfirmLimit() const
{
    return m_confirmBy && std::chrono::steady_clock::now() >= *m_confirmBy;
}

void AutoFocusRun::giveUp(MoveWatch::Overdue why)
{
    if (!m_isMoveOpen) {
        failRun(kNotConfirmed);
        return;
    }
    const bool halted = m_device.haltRun();
    failRun(MoveWatch::givenUpText(why == MoveWatch::Overdue::No ? MoveWatch::Overdue::Stalled : why, halted,
                                   m_device.lastKnownPosition()));
}

void AutoFocusRun::stopRun()
{
    stopTimer();
    ++m_runNumber;
    m_isAwaiting = false;
    m_wait = Wait::Frame;
    m_confirmBy.reset();
    m_isMoveOpen = false;
    m_sampleCount = 0;
    m_imageCount = 0;
    m_dataIndex = 0;
    m_isRun = false;
    m_isTimerBlock = false;
    m_display.showProgress(0);
}

void AutoFocusRun::endRun()
{
    stopRun();
    if (const std::optional<FocusFit> fit = FocusCurveFit::fit(m_store, m_device.focusScale())) {
        m_coeff = fit->coeff;
        m_bestFocus = fit->bestFocus;
        m_rmsError = fit->rms;
        m_isCurveDone = true;
        m_display.redrawCurve();
        m_display.showFocusResult(m_bestFocus, m_rmsError);
    } else {
        AlertPanel::runAlert(kCurveFailed, QStringLiteral(" "));
    }
    m_display.showRunning(false);
}

void AutoFocusRun::failRun(const QString& why)
{
    stopRun();
    m_display.showRunning(false);
    AlertPanel::runAlert(kCurveFailed, why);
}

void AutoFocusRun::abort()
{
    m_display.showRunning(false);
    m_isRun = false;
    m_isCurveDone = false;
    stopTimer();
    ++m_runNumber;
    m_isAwaiting = false;
    m_wait = Wait::Frame;
    m_confirmBy.reset();
    m_isMoveOpen = false;
    m_isTimerBlock = false;
    m_display.showProgress(0);
    m_device.runAborted();
}

void AutoFocusRun::gotoBestFocus()
{
    if (m_bestFocus != 0) {
        m_device.gotoBestFocus(m_bestFocus);
        if (m_device.clearsPlotAtBestFocus()) {
            for (FocusSample& sample : m_store)
                sample.halfFluxRadius = 0.0f;
            m_display.redrawCurve();
        }
    } else {
        AlertPanel::beep();
    }
    if (m_isRun)
        m_display.showRunning(false);
    stopTimer();
    ++m_runNumber;
    m_isAwaiting = false;
    m_wait = Wait::Frame;
    m_confirmBy.reset();
    m_isMoveOpen = false;
    m_bestFocus = 0;
    m_sampleCount = 0;
    m_imageCount = 0;
    m_rmsError = 0.0f;
    m_isRun = false;
    m_isCurveDone = false;
    m_isTimerBlock = false;
}

void AutoFocusRun::stopTimer()
{
    m_timer.stop();
    m_isSettling = false;
}

void AutoFocusRun::settle(int ticks)
{
    m_isSettling = ticks > 0;
    m_settleFor = m_tick * ticks;
    m_settleClock.start();
}

bool AutoFocusRun::isSettling()
{
    if (m_isSettling && m_settleClock.nsecsElapsed() / 1000 >= m_settleFor.count())
        m_isSettling = false;
    return m_isSettling;
}
