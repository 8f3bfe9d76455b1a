#pragma once

// What the window-less search found.
enum FindResultCode : int {
    findResultAmbiguous = 1,     // the name is "Linear"
    findResultBelowHorizon = 2,  // found, but below the horizon or behind its profile
    findResultNotFound = 3,      // nothing, and no cached lookup answer
    findResultFound = 4,         // found and selected, or a cached lookup answer read
    findResultFiltered = 5,      // found, but filtered out of the chart; nothing selected
};
