#include "prefs/StarPreview.h"

#include "model/settings/PrefControl.h"

#include <QPainter>

#include <array>
#include <cmath>

namespace {

constexpr float kFaintest = 6.0f;
constexpr float kStep = 0.5f;

// Image index of a drawn magnitude: 0 from 6.0 up, one more per half
// magnitude brighter, 13 below 0.
int imageFor(float v)
{
    if (v >= kFaintest)
        return 0;
    if (v < 0.0f)
        return 13;
    return 12 - int(std::floor(v / kStep));
}

// Lower-left corner of sample i drawn with image s: larger images sit lower
// and further left so the stars stay centred on one line.
QPoint pointFor(int i, int s)
{
    static constexpr std::array<int, 14> kOffset{0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 5};
    const int offset = kOffset[size_t(s)];
    return {12 * i + 10 - offset, 17 - offset};
}

StarPreview::Tint tintFor(int i)
{
    switch (i) {
    case 3:
    case 8:
        return StarPreview::Tint::Red;
    case 4:
    case 9:
        return StarPreview::Tint::Yellow;
    case 5:
    case 10:
        return StarPreview::Tint::Blue;
    case 6:
    case 11:
        return StarPreview::Tint::Orange;
    default:
        return StarPreview::Tint::White;
    }
}

}  // namespace

StarPreview::StarPreview(const PrefControl& prefs, QWidget* parent) : QWidget(parent), m_prefs(prefs)
{
    setFixedSize(12 * kStars + 12, 34);
}

void StarPreview::createArrays()
{
    m_starBright = m_prefs.starBrightVal();
    m_starColor = m_prefs.starColorVal();
    m_starShift = m_prefs.starShiftVal();
    m_starMagLimit = m_prefs.starMagLimit();
    const StarSet* white = m_starArray ? m_starArray() : nullptr;
    m_white = white ? *white : StarSet{};
    // Images share their pixels until one is changed, so these are copies.
    m_red = m_yellow = m_blue = m_orange = m_white;
}

void StarPreview::recolorStarArrays()
{
    const std::array<std::pair<StarSet*, QColor>, 4> colors{{
        {&m_red, Qt::red}, {&m_yellow, Qt::yellow}, {&m_blue, Qt::blue}, {&m_orange, QColor(255, 128, 0)}}};
    for (auto [set, color] : colors) {
        color.setAlphaF(float(m_starColor));
        for (size_t k = 0; k < set->size(); ++k) {
            QImage copy = m_white[k].copy();
            ChartImageSet::tint(copy, color);
            (*set)[k] = copy;
        }
    }
}

std::vector<StarPreview::Sample> StarPreview::samples() const
{
    std::vector<Sample> drawn;
    for (int i = 0; i < kStars; ++i) {
        if (kFaintest - kStep * float(i) > float(m_starMagLimit))
            continue;
        const float v = kFaintest - float(m_starShift) - kStep * float(i) * float(m_starBright);
        const int s = imageFor(v);
        drawn.push_back({i, s, pointFor(i, s), tintFor(i)});
    }
    return drawn;
}

const StarPreview::StarSet& StarPreview::tinted(Tint tint) const
{
    switch (tint) {
    case Tint::Red:
        return m_red;
    case Tint::Yellow:
        return m_yellow;
    case Tint::Blue:
        return m_blue;
    case Tint::Orange:
        return m_orange;
    case Tint::White:
        break;
    }
    return m_white;
}

void StarPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setPen(Qt::darkGray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const Sample& sample : samples()) {
        const QImage& image = tinted(sample.tint)[size_t(sample.image)];
        // The view counts y up from its bottom edge; the image hangs above its point.
        painter.drawImage(QPoint(sample.point.x(), height() - sample.point.y() - image.height()), image);
    }
}
