#include "solarsystem/planets/VSOP87Body.h"

#include "model/Angles.h"

namespace {

template <class Term>
double polynomial(const std::array<PeriodicSeries, 6>& series, double tau, Term term)
{
    double value = 0.0;
    double power = 1.0;
    for (const PeriodicSeries& s : series) {
        if (s.publishedTerms() > 0)
            value += term(s) * power;
        power *= tau;
    }
    return value * 1e-8;
}

}  // namespace

double VSOP87Body::longitude(double tau) const
{
    return Angles::wrapTwoPi(polynomial(L, tau, [tau](const PeriodicSeries& s) { return s.sum(tau); }));
}

double VSOP87Body::leadingLongitude(double tau) const
{
    return Angles::wrapTwoPi(
        polynomial(L, tau, [tau](const PeriodicSeries& s) { return s.leadingSum(tau); }));
}

double VSOP87Body::latitude(double tau) const
{
    return polynomial(B, tau, [tau](const PeriodicSeries& s) { return s.sum(tau); });
}

double VSOP87Body::radius(double tau) const
{
    return polynomial(R, tau, [tau](const PeriodicSeries& s) { return s.sum(tau); });
}

EclipticPlace VSOP87Body::place(double tau) const
{
    return {longitude(tau), latitude(tau), radius(tau)};
}
