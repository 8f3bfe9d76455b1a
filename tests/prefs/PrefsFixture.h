#pragma once

#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "platform/AppTimeZone.h"
#include "platform/DisplayGamma.h"
#include "prefs/SitesTab.h"

#include <QLineEdit>

#include <gtest/gtest.h>

struct NoGamma final : DisplayGamma {
    quint32 displayID() const override { return 0; }
    GammaFormula defaultFormula() const override { return {}; }
    bool setFormula(const GammaFormula&) override { return false; }
    bool restoreDefault() override { return false; }
};

// A Setup tab over fresh settings, with the program's zone put back after.
class SitesTabTest : public ::testing::Test {
protected:
    SitesTabTest() : prefs(gamma), skyDate(prefs), tab(prefs, skyDate)
    {
        tab.setLinks({[this] { ++skyUpdates; }, [this] { ++closes; }});
        tab.setupDate(false);
    }
    ~SitesTabTest() override { AppTimeZone::setZone(m_zone); }

    // The six location fields' texts, latitude first.
    QStringList fields() const
    {
        QStringList texts;
        for (int part = 0; part < 3; ++part)
            texts += tab.latitudeField(part)->text();
        for (int part = 0; part < 3; ++part)
            texts += tab.longitudeField(part)->text();
        return texts;
    }

    QTimeZone m_zone = AppTimeZone::zone();
    NoGamma gamma;
    PrefControl prefs;
    SkyDateModel skyDate;
    SitesTab tab;
    int skyUpdates = 0;
    int closes = 0;
};
