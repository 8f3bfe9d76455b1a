#pragma once

#include "skydraw/ChartImageSet.h"

#include <QPoint>
#include <QWidget>

#include <functional>
#include <vector>

class PrefControl;

// A row of 14 sample stars, magnitude 6.0 down to -0.5 in half steps, drawn
// as the chart would draw them with the star sliders' values, so the user
// sees a slider's effect before the chart is redrawn. Positions are the
// view's own with y up from its bottom edge.
class StarPreview final : public QWidget {
    Q_OBJECT
public:
    using StarSet = ChartImageSet::StarSet;
    static constexpr int kStars = ChartImageSet::kNumStarClasses;
    enum class Tint { White, Red, Yellow, Blue, Orange };

    struct Sample {
        int star;   // 0 the faintest (6.0) to 13 the brightest (-0.5)
        int image;  // star image 0 (smallest) to 13
        QPoint point;
        Tint tint;
    };

    StarPreview(const PrefControl& prefs, QWidget* parent = nullptr);
    // Where the chart's white star images come from; none draws no stars.
    void setStarArray(std::function<const StarSet*()> starArray) { m_starArray = std::move(starArray); }

    // The slider values from the settings and fresh copies of the images.
    void createArrays();
    // The four colour copies tinted anew at the colour slider's strength.
    void recolorStarArrays();
    void setStarBright(double value) { m_starBright = value; }
    void setStarColor(double value) { m_starColor = value; }
    void setStarShift(double value) { m_starShift = value; }
    void setStarMagLimit(double value) { m_starMagLimit = value; }

    // The stars drawn with the present values, faintest first.
    std::vector<Sample> samples() const;
    const StarSet& tinted(Tint tint) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PrefControl& m_prefs;
    std::function<const StarSet*()> m_starArray;
    double m_starBright = 0.0;
    double m_starColor = 0.0;
    double m_starShift = 0.0;
    double m_starMagLimit = 0.0;
    StarSet m_white;
    StarSet m_red;
    StarSet m_yellow;
    StarSet m_blue;
    StarSet m_orange;
};
