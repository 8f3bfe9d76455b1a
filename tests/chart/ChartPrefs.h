#pragma once

#include "ChartFakes.h"

#include "model/prefs/PrefControl.h"
#include "model/TempSettings.h"

#include <QSettings>

#include <memory>

// A settings object on a temporary settings file, with a fake of everything
// the chart window talks to.
class ChartPrefsTest : public TempSettings {
protected:
    // Writes values as an earlier run would have left them.
    static void seed(const QMap<QString, QVariant>& values)
    {
        QSettings file(PrefStore::fileName(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            file.setValue(it.key(), it.value());
    }

    // A new settings object, not yet read.
    PrefControl& makePrefs()
    {
        m_prefs = std::make_unique<PrefControl>(fakes.gamma);
        return *m_prefs;
    }
    // A new settings object after its launch read.
    PrefControl& readPrefs()
    {
        makePrefs().readPrefs();
        return *m_prefs;
    }

    // The settings object made last.
    PrefControl& settings() { return *m_prefs; }

    ChartFakes fakes;

private:
    std::unique_ptr<PrefControl> m_prefs;
};
