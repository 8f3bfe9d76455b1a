#pragma once

#include <array>

// The autoguider's errors as the companion shows them.
class CompanionGuider {
public:
    static constexpr int kHistory = 100;
    using History = std::array<float, kHistory>;  // newest first

    virtual ~CompanionGuider() = default;
    virtual bool isGuiding() const = 0;
    virtual float errX() const = 0;
    virtual float errY() const = 0;
    virtual History errXArray() const = 0;
    virtual History errYArray() const = 0;
    // The guide cycle, seconds.
    virtual float guideRate() const = 0;
    virtual void clearErrArrays() = 0;
    virtual void setLumarikTrend(bool on) = 0;
    virtual void setLumarikTrendUpdate(bool on) = 0;
};
