#include "mount/dome/DomeBoardWatch.h"

bool DomeBoardWatch::lost(bool answered, Clock::time_point now)
{
    if (answered) {
        m_lastGood = now;
        m_failedInARow = 0;
        return false;
    }
    ++m_failedInARow;
    return m_failedInARow >= kLostReadings || now - m_lastGood >= kLostAfter;
}
