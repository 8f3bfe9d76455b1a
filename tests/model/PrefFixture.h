#pragma once

#include "FakeLinks.h"
#include "TempSettings.h"

#include "model/prefs/PrefControl.h"

#include <QSettings>

#include <memory>

// A settings object on a temporary settings file, linked to recording fakes.
class PrefFixture : public TempSettings {
protected:
    // Writes values into the settings file as an earlier run would have left them.
    static void seed(const QMap<QString, QVariant>& values)
    {
        QSettings file(PrefStore::fileName(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            file.setValue(it.key(), it.value());
    }

    // A new settings object, linked to the fakes, after its launch read.
    PrefControl& launch()
    {
        m_prefs = std::make_unique<PrefControl>(fakes.gamma);
        fakes.prefs = m_prefs.get();
        m_prefs->setLinks(fakes.links());
        m_prefs->readPrefs();
        return *m_prefs;
    }

    FakeLinks fakes;

private:
    std::unique_ptr<PrefControl> m_prefs;
};
