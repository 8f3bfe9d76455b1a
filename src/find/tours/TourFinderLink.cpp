#include "find/tours/TourFinderLink.h"

#include "find/FindObjects.h"
#include "find/FindSky.h"
#include "model/settings/PrefControl.h"

FindResultCode TourFinderLink::findVoiceName(const QString& name) { return m_finder.findVoiceName(name); }

int TourFinderLink::findIndex() const { return m_prefs.findIndex(); }

QString TourFinderLink::findName() const { return m_prefs.findName(); }

double TourFinderLink::trackRA() const { return m_finder.trackRA(); }

double TourFinderLink::trackDec() const { return m_finder.trackDec(); }

void TourFinderLink::setTrackRA(double ra, double dec) { m_finder.setTrackRA(ra, dec); }

void TourFinderLink::trackObject() { m_finder.trackObject(); }

void TourFinderLink::centerAndUpdateSky()
{
    m_sky.centerObject();
    if (m_updateSky)
        m_updateSky();
}
