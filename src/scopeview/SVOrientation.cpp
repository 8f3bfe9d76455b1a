#include "scopeview/SVOrientation.h"

#include "model/Angles.h"
#include "model/settings/PrefControl.h"

#include <cmath>

SVOrientation SVOrientation::flipsOf(const PrefControl& prefs)
{
    SVOrientation o;
    const int current = prefs.currentScope();
    if (current < 0 || current >= int(prefs.scopes().size()))
        return o;
    const scope& s = prefs.scopes()[current];
    o.ewSign = s.isRevEW ? -1.0 : 1.0;
    o.nsSign = s.isRevNS ? -1.0 : 1.0;
    return o;
}

SVOrientation SVOrientation::of(const PrefControl& prefs, double primeMeridian, double ra, double dec)
{
    SVOrientation o = flipsOf(prefs);
    if (prefs.isScopeAltAz())
        o.qP = parallacticAngle(prefs.latitude() * Angles::kDegToRad,
                                primeMeridian * Angles::kDegToRad - ra, dec);
    return o;
}

double SVOrientation::parallacticAngle(double latitude, double hourAngle, double dec)
{
    return std::atan2(std::sin(hourAngle), std::tan(latitude) * std::cos(dec) -
                                               std::sin(dec) * std::cos(hourAngle));
}

QTransform SVOrientation::tran(double svOffset) const
{
    QTransform t;
    t.translate(svOffset, svOffset);
    t.scale(ewSign, nsSign);
    if (qP != 0.0)
        t.rotateRadians(-qP);
    t.translate(-svOffset, -svOffset);
    return t;
}
