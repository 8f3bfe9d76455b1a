#pragma once

#include "chart/menus/TaggedMenuActions.h"

struct ChartOutlets;

// The chart's context menu: picks what the next click on the chart does,
// or tracks or centres the selection at once; the chart is redrawn after
// every item.
class SkyClickMenuActions final : public TaggedMenuActions {
public:
    explicit SkyClickMenuActions(const ChartOutlets& outlets);

    void menuAction(int tag) override;
    MenuItemState validateMenuItem(int) const override { return {}; }

private:
    const ChartOutlets& m_outlets;
};
