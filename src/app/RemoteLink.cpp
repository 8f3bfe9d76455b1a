#include "app/RemoteLink.h"

RemoteLink::RemoteLink(Parts parts)
    : m_mount(parts.scope), m_finder(parts.finder, parts.tours), m_guider(parts.guide), m_delegate(parts.prefs)
{
    m_delegate.setMount(&m_mount);
    m_delegate.setFinder(&m_finder);
    m_delegate.setGuider(&m_guider);
}
