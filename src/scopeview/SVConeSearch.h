#pragma once

// The star-catalogue cone search as the telescope view's window and drawer
// drive it.
class SVConeSearch {
public:
    virtual ~SVConeSearch() = default;
    // Whether the fetched stars are drawn.
    virtual void setNomadHasData(bool has) = 0;
    // Starts (or cancels) a search of the field; `force` overwrites a cached reply.
    virtual void nomadDownload(bool force) = 0;
    virtual void setNomadCache(bool on) = 0;
};
