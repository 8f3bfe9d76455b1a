#include "camera/sg4/SG4DarkFrame.h"

void SG4DarkFrame::keep(std::span<const quint16> pixels)
{
    const std::lock_guard lock(m_mutex);
    if (pixels.size() == kPixels)
        m_pixels.assign(pixels.begin(), pixels.end());
}

bool SG4DarkFrame::subtractFrom(std::span<quint16> pixels) const
{
    const std::lock_guard lock(m_mutex);
    if (m_pixels.empty() || pixels.size() != m_pixels.size())
        return false;
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = pixels[i] > m_pixels[i] ? quint16(pixels[i] - m_pixels[i]) : quint16(0);
    return true;
}

bool SG4DarkFrame::hasDarkFrame() const
{
    const std::lock_guard lock(m_mutex);
    return !m_pixels.empty();
}

void SG4DarkFrame::forget()
{
    const std::lock_guard lock(m_mutex);
    m_pixels.clear();
}
