#pragma once

// The main window's full refresh after colours change: recolour the sprites
// and symbols, re-project and redraw.
class ChartRefresh {
public:
    virtual ~ChartRefresh() = default;
    virtual void updateSkyAndColor() = 0;
};
