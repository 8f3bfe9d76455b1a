#include "app/MoonLiteWindowLink.h"

void MoonLiteWindowLink::showMaximum(quint16 maximum) { m_own.keep<&MoonLiteDisplay::showMaximum>(maximum); }

void MoonLiteWindowLink::selectSpeedCell(int cell) { m_own.keep<&MoonLiteDisplay::selectSpeedCell>(cell); }

void MoonLiteWindowLink::showSlope(const QString& text) { m_own.keep<&MoonLiteDisplay::showSlope>(text); }

void MoonLiteWindowLink::showDelta(const QString& text) { m_own.keep<&MoonLiteDisplay::showDelta>(text); }

void MoonLiteWindowLink::enableCompensation(bool enabled)
{
    m_own.keep<&MoonLiteDisplay::enableCompensation>(enabled);
}

void MoonLiteWindowLink::enableRatePopup(bool enabled)
{
    m_own.keep<&MoonLiteDisplay::enableRatePopup>(enabled);
}

void MoonLiteWindowLink::showLearnTitle(const QString& title)
{
    m_own.keep<&MoonLiteDisplay::showLearnTitle>(title);
}
