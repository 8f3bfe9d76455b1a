#pragma once

#include "model/SkyDateModel.h"
#include "model/TempSettings.h"
#include "model/settings/PrefControl.h"
#include "platform/AppTimeZone.h"
#include "platform/DisplayGamma.h"
#include "prefs/PrefLocalization.h"
#include "prefs/SitesTab.h"
#include "support/RecordingAlertPresenter.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>

struct NoGamma final : DisplayGamma {
    quint32 displayID() const override { return 0; }
    GammaFormula defaultFormula() const override { return {}; }
    bool setFormula(const GammaFormula&) override { return false; }
    bool restoreDefault() override { return false; }
};

// A Setup tab over a fresh settings file read as the launch reads it, with
// the program's zone put back after and the beeps counted.
class SitesTabTest : public TempSettings {
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        m_prefs = std::make_unique<PrefControl>(gamma);
        m_prefs->readPrefs();
        m_skyDate = std::make_unique<SkyDateModel>(*m_prefs);
        m_tab = std::make_unique<SitesTab>(*m_prefs, *m_skyDate, localization);
        m_tab->setLinks({[this] { ++skyUpdates; }, [this] { ++closes; }});
        m_tab->setupDate(false);
    }
    ~SitesTabTest() override { AppTimeZone::setZone(m_zone); }

    PrefControl& prefs() { return *m_prefs; }
    SkyDateModel& skyDate() { return *m_skyDate; }
    SitesTab& tab() { return *m_tab; }

    // The six location fields' texts, latitude first.
    QStringList fields()
    {
        QStringList texts;
        for (int part = 0; part < 3; ++part)
            texts += tab().latitudeField(part)->text();
        for (int part = 0; part < 3; ++part)
            texts += tab().longitudeField(part)->text();
        return texts;
    }

    QTimeZone m_zone = AppTimeZone::zone();
    PrefLocalization localization;
    NoGamma gamma;
    ScopedAlertRecorder recorder;
    int skyUpdates = 0;
    int closes = 0;

private:
    std::unique_ptr<PrefControl> m_prefs;
    std::unique_ptr<SkyDateModel> m_skyDate;
    std::unique_ptr<SitesTab> m_tab;
};
