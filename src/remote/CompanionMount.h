#pragma once

#include <QString>

// The mount controller as the companion drives it.
class CompanionMount {
public:
    // Direction codes of genericSlew.
    enum Direction { North = 1, South = 2, East = 3, West = 4, All = 5 };

    virtual ~CompanionMount() = default;
    virtual bool isConnected() const = 0;
    virtual bool isSlewing() const = 0;
    virtual bool genericSlew(int direction) = 0;
    virtual bool genericSlewStop(int direction) = 0;
    virtual void setGenericSlewRate(int rate) = 0;
    // Appends a line to the debug log; the caller checks the debug setting.
    virtual void writeDebugFile(const QString& line) = 0;
};
