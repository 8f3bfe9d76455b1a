#pragma once

#include "model/SkyCoordinates.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <chrono>
#include <optional>

// The sky counts as moving when it changed since a paint this recent: a drag
// or an animation, not the clock's occasional step. A moving sky's layers
// may draw a quicker frame; the view paints once more when it has settled.
inline constexpr std::chrono::milliseconds kMovingSkyPaints{150};

// Notes the view and moment of each paint and tells whether the sky moved
// since a recent one: under a pan and under time steps alike.
class MovingSkyWatch {
public:
    // Whether this paint's view or moment differs from the last paint's,
    // painted less than the moving interval ago.
    bool note(const SkyCoordinates::View& view, const QDateTime& moment);
    // For tests: how recent a paint must be for the sky to count as moving.
    void setMovingPaints(std::chrono::milliseconds interval) { m_movingPaints = interval; }

private:
    std::optional<SkyCoordinates::View> m_lastView;
    QDateTime m_lastMoment;
    QElapsedTimer m_sinceLastPaint;
    std::chrono::milliseconds m_movingPaints = kMovingSkyPaints;
};
