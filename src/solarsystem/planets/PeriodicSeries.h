#pragma once

#include <span>

// One term A cos(phase + frequency tau) of a planetary series; A in 1e-8 rad
// or 1e-8 AU, phase in radians, frequency in radians per Julian millennium.
struct PeriodicTerm {
    double amplitude;
    double phase;
    double frequency;
};

// One series (such as the Earth's L0) of a planetary theory. Its zero-frequency
// terms are folded into one constant, so each evaluation costs one cosine per
// periodic term. The periodic terms keep the published order (falling
// amplitude); the "leading" part is what the shortened pass evaluates.
struct PeriodicSeries {
    double constant = 0.0;  // sum of A cos(phase) over the zero-frequency terms
    int foldedTerms = 0;    // published terms folded into `constant` (0 or 1)
    std::span<const PeriodicTerm> terms;
    double leadingConstant = 0.0;  // `constant` when it is among the leading terms
    int leadingTerms = 0;          // periodic terms among the leading ones

    // Published terms, the folded constant counting as one.
    int publishedTerms() const { return int(terms.size()) + foldedTerms; }

    // Value at tau (Julian millennia from J2000.0), in the series' units.
    double sum(double tau) const;
    double leadingSum(double tau) const;
};
