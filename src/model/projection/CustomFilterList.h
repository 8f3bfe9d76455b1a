#pragma once

#include "model/records/deepSky.h"

// The user's own list of deep-sky objects, chosen in the preferences window.
class CustomFilterList {
public:
    virtual ~CustomFilterList() = default;
    // Whether the list names the object (by its name, Messier or NGC designation).
    virtual bool findFilterObject(const deepSky& object) const = 0;
};
