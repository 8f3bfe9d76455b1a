#pragma once

// The companion-app server's controller, started and stopped with the
// external-connection setting.
class CompanionServer {
public:
    virtual ~CompanionServer() = default;
    virtual void createManager() = 0;
    virtual void releaseManager() = 0;
};
