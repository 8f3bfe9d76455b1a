#pragma once

#include "FakeLinks.h"
#include "TempSettings.h"

#include "model/settings/PrefControl.h"

#include <memory>

// A settings object on a temporary settings file, linked to recording fakes.
class PrefFixture : public TempSettings {
protected:
    // A new settings object, linked to the fakes, after its launch read.
    PrefControl& launch()
    {
        m_prefs = std::make_unique<PrefControl>(fakes.gamma);
        fakes.prefs = m_prefs.get();
        m_prefs->setLinks(fakes.links());
        m_prefs->setDebugSink([this](const QString& line) { debugLines << line; });
        m_prefs->readPrefs();
        return *m_prefs;
    }

    FakeLinks fakes;
    // What the settings object told its debug sink.
    QStringList debugLines;

private:
    std::unique_ptr<PrefControl> m_prefs;
};
