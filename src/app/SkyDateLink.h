#pragma once

#include "chart/StartupDate.h"

class SkyDateModel;

// The sky date as the launch sets it.
class SkyDateLink final : public StartupDate {
public:
    explicit SkyDateLink(SkyDateModel& skyDate) : m_skyDate(skyDate) {}

    void startupDate() override;

private:
    SkyDateModel& m_skyDate;
};
