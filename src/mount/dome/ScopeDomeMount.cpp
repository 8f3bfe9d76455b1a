#include "mount/dome/ScopeDomeMount.h"

#include "model/Angles.h"
#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "mount/ScopeControl.h"
#include "platform/AppTimeZone.h"

bool ScopeDomeMount::isConnected() const
{
    return m_scope.isConnected();
}

bool ScopeDomeMount::hasPosition() const
{
    return m_scope.hasPosition();
}

double ScopeDomeMount::scopeAzimuth() const
{
    return m_scope.scopeAzAlt().az * Angles::kRadToDeg;
}

double ScopeDomeMount::scopeHourAngle() const
{
    // A date of its own, as the azimuth's: the user's sky date stays.
    SkyDateModel now(m_prefs);
    now.calculateDate(AppTimeZone::now(), 0.0);
    return now.primeMeridian() * Angles::kDegToRad - m_scope.status().scopeRA;
}

double ScopeDomeMount::scopeDec() const
{
    return m_scope.status().scopeDec;
}

double ScopeDomeMount::latitude() const
{
    return m_prefs.latitude();
}

quint16 ScopeDomeMount::selectPort() const
{
    return m_scope.selectPort();
}

void ScopeDomeMount::setIsBlockPolling(bool blocked)
{
    m_scope.setIsBlockPolling(blocked);
}

void ScopeDomeMount::launchThread()
{
    if (ScopeThread* worker = m_scope.portWorkers().worker(m_slot))
        worker->launchThread();
}

void ScopeDomeMount::postWork(std::function<void()> work)
{
    m_scope.portWorkers().postWork(m_slot, std::move(work));
}

bool ScopeDomeMount::postJob(int id)
{
    if (m_scope.portWorkers().worker(m_slot) == nullptr)
        return false;
    m_scope.portWorkers().post(m_slot, id);
    return true;
}
