#include "camera/webcam/FrameStack.h"

#include "camera/image/ImageFilters.h"

bool FrameStack::push(const QImage& frame)
{
    const bool wasFull = m_count == kSlots;
    m_newest = (m_newest + kSlots - 1) % kSlots;
    QImage& slot = m_slots[std::size_t(m_newest)];
    if (slot.size() != frame.size() || slot.format() != QImage::Format_RGB32)
        slot = QImage(frame.size(), QImage::Format_RGB32);
    ImageFilters::copyRows(frame, slot);
    if (m_count < kSlots)
        ++m_count;
    return wasFull;
}

const QImage* FrameStack::at(int k) const
{
    if (k < 0 || k >= m_count)
        return nullptr;
    return &m_slots[std::size_t((m_newest + k) % kSlots)];
}
