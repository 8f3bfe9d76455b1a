#include "solarsystem/planets/PeriodicSeries.h"

#include <cmath>

double PeriodicSeries::sum(double tau) const
{
    double value = constant;
    for (const PeriodicTerm& t : terms)
        value += t.amplitude * std::cos(t.phase + t.frequency * tau);
    return value;
}

double PeriodicSeries::leadingSum(double tau) const
{
    double value = leadingConstant;
    for (const PeriodicTerm& t : terms.first(std::size_t(leadingTerms)))
        value += t.amplitude * std::cos(t.phase + t.frequency * tau);
    return value;
}
