#pragma once

#include "app/ChartVoice.h"
#include "app/FinderRemote.h"
#include "app/GuideRemote.h"
#include "app/PlannerClickLink.h"
#include "app/ScopeRemoteMount.h"
#include "app/SpeechSwitchLink.h"
#include "remote/events/AppDelegate.h"
#include "remote/events/RemoteEventsBus.h"
#include "remote/speech/Speaker.h"
#include "remote/speech/VoiceCommands.h"

#include <memory>

class PrefControl;

// Other programs' way in: the delegate wired to the mount, the finder, the
// tours and the autoguider, published on the session bus when there is one;
// and the spoken commands on the chart's View and Show menus.
class RemoteLink final {
public:
    struct Parts {
        PrefControl& prefs;
        ScopeControl& scope;
        FindObjects& finder;
        TourControl& tours;
        WebcamGuide& guide;
        ViewMenuActions& viewMenu;
        ShowMenuActions& showMenu;
    };

    explicit RemoteLink(Parts parts);

    AppDelegate& appDelegate() { return m_delegate; }
    PlannerLink& plannerLink() { return m_plannerLink; }
    RemoteEventsBus& eventsBus() { return m_bus; }
    VoiceCommands& voiceCommands() { return m_voiceCommands; }
    SpeechSwitch& speechSwitch() { return m_speechSwitch; }
    // The spoken answers' voice, kept for the whole run; none keeps them silent.
    void setVoice(std::unique_ptr<Speaker> voice);

private:
    ScopeRemoteMount m_mount;
    FinderRemote m_finder;
    GuideRemote m_guider;
    AppDelegate m_delegate;
    PlannerClickLink m_plannerLink{m_delegate};
    RemoteEventsBus m_bus{m_delegate};
    ChartVoice m_chart;
    std::unique_ptr<Speaker> m_theVoice;
    VoiceCommands m_voiceCommands;
    SpeechSwitchLink m_speechSwitch{m_voiceCommands};
};
