#pragma once

#include "find/FindObjects.h"
#include "remote/CompanionFinder.h"

// The finder's window-less search and Track action for the companion server.
class CompanionFinderLink final : public CompanionFinder {
public:
    explicit CompanionFinderLink(FindObjects& finder) : m_finder(finder) {}

    FindResultCode findVoiceName(const QString& name) override { return m_finder.findVoiceName(name); }
    void findTrackAction() override { m_finder.findTrackAction(); }

private:
    FindObjects& m_finder;
};
