#pragma once

#include "model/records/nomadData.h"

#include <span>

// The star-catalogue cone search as the telescope view's window, drawer and
// drawing pass use it.
class SVConeSearch {
public:
    virtual ~SVConeSearch() = default;
    // Whether the fetched stars are drawn.
    virtual void setNomadHasData(bool has) = 0;
    // Starts (or cancels) a search of the field; `force` overwrites a cached reply.
    virtual void nomadDownload(bool force) = 0;
    virtual void setNomadCache(bool on) = 0;
    // Whether a reply's stars are held and shown.
    virtual bool hasNomadData() const = 0;
    // The stars of the last reply; the drawing pass stores their view points.
    virtual std::span<nomadData> nomadStars() = 0;
};
