#pragma once

#include <QString>

// The shared text the outside capture program listens on: the tours write
// their capture commands there, and the program takes what it reads.
class CaptureLink {
public:
    virtual ~CaptureLink() = default;
    virtual void clearContents() = 0;
    virtual void setString(const QString& text) = 0;
    virtual QString string() const = 0;
};
