#pragma once

#include "app/FinderRemote.h"
#include "app/GuideRemote.h"
#include "app/PlannerClickLink.h"
#include "app/ScopeRemoteMount.h"
#include "remote/events/AppDelegate.h"
#include "remote/events/RemoteEventsBus.h"

class PrefControl;

// Other programs' way in: the delegate wired to the mount, the finder, the
// tours and the autoguider, published on the session bus when there is one.
class RemoteLink final {
public:
    struct Parts {
        PrefControl& prefs;
        ScopeControl& scope;
        FindObjects& finder;
        TourControl& tours;
        WebcamGuide& guide;
    };

    explicit RemoteLink(Parts parts);

    AppDelegate& appDelegate() { return m_delegate; }
    PlannerLink& plannerLink() { return m_plannerLink; }
    RemoteEventsBus& eventsBus() { return m_bus; }

private:
    ScopeRemoteMount m_mount;
    FinderRemote m_finder;
    GuideRemote m_guider;
    AppDelegate m_delegate;
    PlannerClickLink m_plannerLink{m_delegate};
    RemoteEventsBus m_bus{m_delegate};
};
