#include "find/tours/TourPositions.h"

#include "find/tours/TourCommands.h"
#include "find/tours/TourFinder.h"

const std::vector<TourPositions::Target>& TourPositions::targets(const Key& key)
{
    m_justResolved = m_key != key;
    if (!m_justResolved)
        return m_targets;
    m_targets.clear();
    m_lastAsked.clear();
    for (const QString& line : key.lines) {
        if (TourCommands::isCommand(line))
            continue;
        m_lastAsked = line;
        if (m_finder.findVoiceName(line) == findResultFound)
            m_targets.push_back({m_finder.trackRA(), m_finder.trackDec(), m_finder.findName()});
    }
    m_key = key;
    return m_targets;
}

void TourPositions::reselect()
{
    if (!m_justResolved && !m_lastAsked.isEmpty())
        m_finder.findVoiceName(m_lastAsked);
    m_justResolved = false;
}
