#pragma once

#include "mount/links/FinderTrack.h"

#include <QtGlobal>

#include <functional>
#include <memory>

class AutoguiderLink;
class CompanionLink;
class HandControlPanels;
class SG4Jobs;
class SiteHandOver;
class MountFamily;
class ScopeViewLink;
class SkyRedraw;
struct MountContext;

// Makes the protocol family of a `mountProtocol` number; none for a number
// no family serves.
using MountFamilyFactory =
    std::function<std::shared_ptr<MountFamily>(int protocol, const MountContext& context)>;

// The objects the mount controller talks to beyond the settings and the
// transport. A null one (a part the program does not have yet) is skipped.
struct ScopeLinks {
    ScopeViewLink* scopeView = nullptr;
    SkyRedraw* skyView = nullptr;
    HandControlPanels* panels = nullptr;
    AutoguiderLink* webcamGuide = nullptr;
    CompanionLink* companion = nullptr;
    SG4Jobs* sg4 = nullptr;
    SiteHandOver* prefWindow = nullptr;
    // The protocol families; the program's own when unset.
    MountFamilyFactory families;
    // The finder's selection, read on the main thread only.
    std::function<FinderTrack()> finderTrack;
    // The keyboard modifiers held now, sampled on the main thread as a
    // message is posted.
    std::function<Qt::KeyboardModifiers()> modifiers;
};
