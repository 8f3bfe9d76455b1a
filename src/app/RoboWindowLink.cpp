#include "app/RoboWindowLink.h"

void RoboWindowLink::showConfig(int duty, int delay, int stepSize)
{
    m_own.keep<&RoboDisplay::showConfig>(duty, delay, stepSize);
}

void RoboWindowLink::showBacklash(int amount) { m_own.keep<&RoboDisplay::showBacklash>(amount); }

void RoboWindowLink::selectBacklashDirection(int direction)
{
    m_own.keep<&RoboDisplay::selectBacklashDirection>(direction);
}

void RoboWindowLink::showMaximum(int steps) { m_own.keep<&RoboDisplay::showMaximum>(steps); }

void RoboWindowLink::showOutputs(const std::array<bool, 4>& on) { m_own.keep<&RoboDisplay::showOutputs>(on); }

void RoboWindowLink::showLevel(int percent) { m_own.keep<&RoboDisplay::showLevel>(percent); }

// A window made later has no move button on.
void RoboWindowLink::clearMoveButtons() { m_own.pass<&RoboDisplay::clearMoveButtons>(); }

void RoboWindowLink::showSlope(const QString& slope) { m_own.keep<&RoboDisplay::showSlope>(slope); }

void RoboWindowLink::showTempDelta(const QString& delta) { m_own.keep<&RoboDisplay::showTempDelta>(delta); }
