#include "camera/webcam/FrameRate.h"

#include <chrono>

FrameRate::FrameRate()
    : m_clock([] {
          using namespace std::chrono;
          return qint64(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
      })
{
}

bool FrameRate::sample()
{
    const qint64 now = m_clock();
    if (m_frequency == 0.0f) {
        m_last = now;
        m_frequency = 1.0f;
        return true;
    }
    const qint64 dt = now - m_last;
    m_last = now;
    // Two frames within the clock's resolution give no usable interval.
    if (dt <= 0)
        return false;
    m_frequency = 0.9f * m_frequency + 0.1f / (float(dt) * 1e-6f);
    return true;
}
