#pragma once

// The chart's images: the star sprites in their colours and for print, the
// object symbols and the mythological figures. Made at launch, tinted again
// whenever the chart's colours change.
class ChartImages {
public:
    virtual ~ChartImages() = default;
    virtual void createStarArrays() = 0;
    virtual void createObjectSymbols() = 0;
    virtual void recolorStarArrays() = 0;
    virtual void recolorObjectSymbols() = 0;
    virtual void recolorMythForms() = 0;
    // The figures are decoded and tinted on first use only.
    virtual bool isRecolorMyth() const = 0;
};

// The figures are tinted once, the first time they are switched on; a chart
// without images (null) is skipped.
inline void tintMythOnFirstShow(ChartImages* images, bool isMyth)
{
    if (isMyth && images && !images->isRecolorMyth())
        images->recolorMythForms();
}
