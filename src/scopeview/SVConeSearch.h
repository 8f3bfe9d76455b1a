#pragma once

#include "model/records/nomadData.h"

#include <span>

// The star-catalogue cone search as the telescope view's window and drawer
// drive it, and the stars the view draws.
class SVConeSearch {
public:
    virtual ~SVConeSearch() = default;
    // Whether the fetched stars are drawn.
    virtual void setNomadHasData(bool has) = 0;
    virtual bool hasNomadData() const = 0;
    // Starts (or cancels) a search of the field; `force` overwrites a cached reply.
    virtual void nomadDownload(bool force) = 0;
    virtual void setNomadCache(bool on) = 0;
    // The stars of the last reply, to be read only while hasNomadData();
    // the view writes each star's place in it as it draws.
    virtual std::span<nomadData> nomadStars() = 0;
};
