#include "scopeview/SVViewState.h"

#include "scopeview/SVMountLink.h"

#include "model/Angles.h"

#include <QString>

void SVViewState::setTrackRA(double ra, double dec)
{
    m_trackRA = ra;
    m_trackDec = dec;
}

void SVViewState::addDeltas(double dRA, double dDec)
{
    m_deltaRA += dRA;
    m_deltaDec += dDec;
}

void SVViewState::resetDeltas()
{
    m_deltaRA = 0.0;
    m_deltaDec = 0.0;
}

double SVViewState::trackRAPlus() const { return (m_trackRA + m_deltaRA) * Angles::kRadToDeg; }

double SVViewState::trackDecPlus() const { return (m_trackDec + m_deltaDec) * Angles::kRadToDeg; }

SVViewState::Centre SVViewState::fieldCentre(const SVMountLink* mount,
                                             const std::function<void(const QString&)>& debug) const
{
    Centre c{m_trackRA, m_trackDec};
    if (mount && mount->scopeProtocol() == kProtocolSynScan) {
        const double raError = mount->synScanRAError();
        const double decError = mount->synScanDecError();
        if (debug) {
            debug(QString::asprintf("svDrawRect: RA: %.3f, Dec: %.3f.", m_trackRA * Angles::kRadToDeg,
                                    m_trackDec * Angles::kRadToDeg));
            debug(QString::asprintf("svDrawRect: RAErr: %.3f, DecErr: %.3f.",
                                    raError * Angles::kRadToDeg, decError * Angles::kRadToDeg));
        }
        c.ra = m_trackRA - raError;
        if (c.ra < 0.0)
            c.ra += Angles::kTwoPi;
        else if (c.ra >= Angles::kTwoPi)
            c.ra -= Angles::kTwoPi;
        c.dec = m_trackDec - decError;
    }
    c.ra += m_deltaRA;
    c.dec += m_deltaDec;
    return c;
}
