#include "camera/guide/StarCentroid.h"

#include <algorithm>
#include <cstring>

namespace {

// The camera reports its size as numbers whose truncated low 16 bits count;
// a size no int holds (or not a number) means no frame.
int frameSide(float side)
{
    if (!(side >= 0.0f && side < 2147483648.0f))
        return 0;
    return int(side) & 0xFFFF;
}

}  // namespace

void StarCentroid::setGuideBuff(bool allocate)
{
    m_guideBuff = {};
    m_width = m_height = 0;
    if (!allocate || !m_source)
        return;
    m_width = frameSide(m_source->width());
    m_height = frameSide(m_source->height());
    m_guideBuff.resize(size_t(m_width) * size_t(m_height));
}

GuidePoint StarCentroid::starCentroid(GuidePoint hint)
{
    if (!m_source)
        return {};
    const quint8* focus = m_source->focusBuff();
    if (m_source->hasFocusImage() && focus != m_guideFocusBuff) {
        m_guideFocusBuff = focus;
        if (!m_isNewSkip)
            return {};
    }
    if (!m_source->hasFocusImage() || m_guideBuff.empty() || !focus)
        return {};
    // A camera that changed its size without a new guide buffer is not read.
    if (frameSide(m_source->width()) != m_width || frameSide(m_source->height()) != m_height)
        return {};
    std::memcpy(m_guideBuff.data(), focus, m_guideBuff.size());

    Box box{};
    int background = 0;
    int peak = 0;
    if (!hint.isZero()) {
        box = boxAround(int(hint.x), int(hint.y));
        peak = std::max(brightest(box, true).value, 0);
        background = backgroundOf(box);
        if (peak - background < kLeastContrast)
            return {};
    } else if (!m_hotPoint.isZero() && m_isNewSkip) {
        makeSkipRect();
        return {};
    } else {
        const Peak star = brightest({0, 0, m_width, m_height, 0, 0}, true);
        if (star.value < 0)
            return {};
        peak = star.value;
        box = boxAround(star.x, star.y);
        background = backgroundOf(box);
    }
    return weightedCentre(box, background, peak);
}

StarCentroid::Box StarCentroid::boxAround(int x, int y) const
{
    const auto centre = [](int c, int side) {
        if (c < kBoxHalf)
            return kBoxHalf;
        return c > side - kBoxHalf ? side - kBoxHalf : c;
    };
    const int cx = centre(x, m_width);
    const int cy = centre(y, m_height);
    return {std::max(cx - kBoxHalf, 0), std::max(cy - kBoxHalf, 0), std::min(cx + kBoxHalf, m_width),
            std::min(cy + kBoxHalf, m_height), cx, cy};
}

StarCentroid::Peak StarCentroid::brightest(const Box& box, bool skipHot) const
{
    Peak best;
    for (int y = box.top; y < box.bottom; ++y) {
        const quint8* row = m_guideBuff.data() + size_t(y) * size_t(m_width);
        for (int x = box.left; x < box.right; ++x) {
            if (row[x] > best.value && !(skipHot && skips(x, y)))
                best = {row[x], x, y};
        }
    }
    return best;
}

int StarCentroid::backgroundOf(const Box& box) const
{
    int sum = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            if (!skips(x, y))
                sum += pixel(x, y);
        }
    }
    return sum / kBackgroundDivisor;
}

void StarCentroid::makeSkipRect()
{
    const int left = int(m_hotPoint.x - 5.0f);
    const int top = int(m_hotPoint.y - 5.0f);
    const Box square{std::clamp(left, 0, m_width), std::clamp(top, 0, m_height),
                     std::clamp(left + kHotSquare, 0, m_width), std::clamp(top + kHotSquare, 0, m_height), 0, 0};
    Peak hot = brightest(square, false);
    // A dark square has no brightest pixel: the marked pixel itself is taken.
    if (hot.value <= 0)
        hot = {0, int(m_hotPoint.x), int(m_hotPoint.y)};
    m_skipRect = {float(hot.x - 2), float(hot.y - 2), float(kHotRect), float(kHotRect)};
}

GuidePoint StarCentroid::weightedCentre(const Box& box, int background, int peak) const
{
    const float threshold = float(double(background) + kThresholdFraction * double(peak - background));
    float w = 0.0f;
    float sx = 0.0f;
    float sy = 0.0f;
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const int v = pixel(x, y);
            if (float(v) < threshold || skips(x, y))
                continue;
            w += float(v);
            sx += float(x * v);
            sy += float(y * v);
            ++count;
        }
    }
    if (!m_quiet) {
        m_debug([&] { return QString::asprintf("Centroid thres: %d max: %d area: %d", background, peak, count); });
        m_debug([&] { return QString::asprintf("Centroid xPt: %d yPt: %d", box.centreX, box.centreY); });
        m_debug([&] {
            return QString::asprintf("Centroid cXPt: %.3f cYPt: %.3f", w > 0 ? sx / w : 0.0, w > 0 ? sy / w : 0.0);
        });
    }
    // Pixels of value 0 carry no weight: a black frame has no centre.
    if (count < kLeastPixels || w <= 0.0f)
        return {};
    return {sx / w, sy / w};
}
