#include "app/OptecWindowLink.h"

void OptecWindowLink::showSpeeds(const std::array<quint16, 4>& speeds)
{
    m_own.keep<&OptecDisplay::showSpeeds>(speeds);
}

void OptecWindowLink::showCurrentSlope(int slope) { m_own.keep<&OptecDisplay::showCurrentSlope>(slope); }

void OptecWindowLink::showLearning(const QString& average, const QString& calculated, const QString& startTemp,
                                   const QString& delta)
{
    m_own.keep<&OptecDisplay::showLearning>(average, calculated, startTemp, delta);
}
