#pragma once

#include <QImage>

#include <array>

// The ring of the last five frames that stacking sums, newest first. Its
// images are reused frame after frame, so pushing allocates nothing once the
// ring is full and the size stays the same.
class FrameStack {
public:
    static constexpr int kSlots = 5;

    // Moves the frames one place back and stores `frame` as the newest.
    // Returns whether the ring was full before (its oldest frame dropped).
    bool push(const QImage& frame);
    // Frame k, 0 the newest; null past the frames held.
    const QImage* at(int k) const;
    int count() const { return m_count; }
    // Forgets every frame (a new frame size).
    void clear() { m_count = 0; }

private:
    std::array<QImage, kSlots> m_slots;
    int m_newest = 0;
    int m_count = 0;
};
