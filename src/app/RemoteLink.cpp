#include "app/RemoteLink.h"

RemoteLink::RemoteLink(Parts parts)
    : m_mount(parts.scope),
      m_finder(parts.finder, parts.tours),
      m_guider(parts.guide),
      m_delegate(parts.prefs),
      m_chart(parts.viewMenu, parts.showMenu),
      m_voiceCommands(parts.prefs, m_delegate)
{
    m_delegate.setMount(&m_mount);
    m_delegate.setFinder(&m_finder);
    m_delegate.setGuider(&m_guider);
    m_voiceCommands.setChart(&m_chart);
}

void RemoteLink::setVoice(std::unique_ptr<Speaker> voice)
{
    m_theVoice = std::move(voice);
    m_delegate.setVoice(m_theVoice.get());
    m_voiceCommands.setVoice(m_theVoice.get());
}
