#pragma once

#include <QString>

// The outside planner's record of the clicked object; each setter only
// stores its value, the chart's click sends the event.
class PlannerObjectLink {
public:
    // Type codes of the planner.
    static constexpr short kPlanet = 1;
    static constexpr short kStar = 2;
    static constexpr short kComet = 7;
    static constexpr short kMinorPlanet = 8;

    virtual ~PlannerObjectLink() = default;
    virtual void setAPra(double ra) = 0;    // radians
    virtual void setAPdec(double dec) = 0;  // radians
    virtual void setAPfov(double size) = 0;
    virtual void setAPmag(double mag) = 0;
    virtual void setAPtype(short type) = 0;
    virtual void setAPid(const QString& id) = 0;
    virtual void setAPname(const QString& name) = 0;
};
