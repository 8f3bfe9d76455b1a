#pragma once

#include <QtGlobal>

#include <mutex>
#include <span>
#include <vector>

// The AllSky camera's dark frame at full resolution (640 x 480): kept from a
// dark exposure and taken from the light ones after it. The transfer uses it
// on the worker; the AllSky side asks and forgets it on the main thread.
class SG4DarkFrame {
public:
    static constexpr std::size_t kPixels = 640 * 480;

    // Keeps a copy of `pixels` (kPixels of them).
    void keep(std::span<const quint16> pixels);
    // Subtracts the kept frame, results below 0 becoming 0; false (and
    // nothing changed) without one or for another size.
    bool subtractFrom(std::span<quint16> pixels) const;
    bool hasDarkFrame() const;
    void forget();

private:
    mutable std::mutex m_mutex;
    std::vector<quint16> m_pixels;
};
