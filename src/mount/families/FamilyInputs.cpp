#include "mount/families/FamilyInputs.h"

#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/SkyCoordinates.h"
#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "mount/MountFamily.h"
#include "mount/ScopeStatus.h"
#include "platform/AppTimeZone.h"

#include <cmath>

namespace {

constexpr double kHoursPerDay = 24.0;
constexpr double kDegreesPerHour = 15.0;
constexpr std::chrono::milliseconds kSettle{250};
constexpr double kNothingTracked = -1.0;

}  // namespace

FamilyInputs FamilyInputs::of(const MountContext& context)
{
    FamilyInputs inputs;
    inputs.settle = [timing = context.timing] { timing.pause(kSettle); };
    if (context.now)
        inputs.now = context.now;
    else
        inputs.now = [] { return AppTimeZone::now(); };
    inputs.guideRatePercent = [&status = context.status] { return status.guideRatePercent.load(); };
    inputs.panelLocked = [&status = context.status] { return status.isPanelLocked.load(); };
    if (context.finderTrack) {
        inputs.trackedObject = [track = context.finderTrack]() -> std::optional<Target> {
            const FinderTrack now = track();
            if (now.ra == kNothingTracked)
                return std::nullopt;
            return Target{now.ra, now.dec};
        };
        inputs.selectedObject = [track = context.finderTrack, tracked = inputs.trackedObject] {
            return track().findIndex == kNoObjectIndex ? std::nullopt : tracked();
        };
    }
    if (!context.prefs)
        return inputs;
    const PrefControl& prefs = *context.prefs;
    inputs.latitude = [&prefs] { return prefs.latitude(); };
    inputs.longitude = [&prefs] { return prefs.longitude(); };
    inputs.localSiderealHours = [&prefs, now = inputs.now] {
        const double gst = SkyDateModel::greenwichSiderealHours(SkyDateModel::julianDayOf(now()));
        const double lst = std::fmod(gst + prefs.longitude() / kDegreesPerHour, kHoursPerDay);
        return lst < 0.0 ? lst + kHoursPerDay : lst;
    };
    inputs.zenith = [&prefs, lst = inputs.localSiderealHours] {
        const SkyCoordinates::Site site{prefs.latitude() * Angles::kDegToRad,
                                        lst() * kDegreesPerHour * Angles::kDegToRad};
        Target zenith{};
        SkyCoordinates::CalcRAFromAz(180.0, 90.0, site, &zenith.ra, &zenith.dec);
        return zenith;
    };
    return inputs;
}
