#pragma once

#include "model/records/ht2Star.h"
#include "model/records/nomadData.h"

#include <span>

// The stars of the telescope view that only it holds: the deep-catalogue
// stars of its field and the stars of the last cone search. Either is empty
// while it has none.
class InfoStarSource {
public:
    virtual ~InfoStarSource() = default;
    virtual std::span<const ht2Star> ht2Stars() const = 0;
    virtual std::span<const nomadData> nomadStars() const = 0;
};
