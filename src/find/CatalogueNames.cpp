#include "find/CatalogueNames.h"

#include "find/FieldMatch.h"
#include "find/FindSky.h"

CatalogueNames::CatalogueNames(const FindSky& sky)
{
    using FieldMatch::text;
    std::uint32_t k = 0;
    for (const deepSky& d : sky.deepSkyData()) {
        m_deepSky.add(text(d.name), k);
        m_deepSky.add(text(d.ngc), k);
        m_deepSky.add(text(d.messier), k);
        m_ngc.add(text(d.ngc), k);
        ++k;
    }
    k = 0;
    for (const star& s : sky.stars()) {
        m_stars.add(text(s.name), k);
        m_stars.add(text(s.bayer), k);
        m_stars.add(text(s.sao), k);
        ++k;
    }
    for (const comet& c : sky.comets())
        m_comets.add(text(c.name));
    for (const minorPlanet& m : sky.minorPlanets())
        m_minorPlanets.add(text(m.name));
    m_deepSky.finish();
    m_ngc.finish();
    m_stars.finish();
    m_comets.finish();
    m_minorPlanets.finish();
}

QByteArray CatalogueNames::lowered(QByteArray text)
{
    for (char& c : text)
        c = FieldMatch::lower(c);
    return text;
}
