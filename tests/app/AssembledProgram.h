#pragma once

#include "app/ChartAssembly.h"
#include "model/TempSettings.h"
#include "platform/DataPaths.h"

#include <QTemporaryDir>

#include <memory>

// The program as it is assembled, not launched, over a temporary per-user
// folder: every window and panel the menus, keys and toolbar reach is real.
class AssembledProgram : public TempSettings {
    QTemporaryDir m_root;  // outlives the program

protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        seed(stored);
        ASSERT_TRUE(m_root.isValid());
        folders = {DataPaths::bundleDataFolder(), m_root.path() + "/Norvane Pro", DataPaths::bundleResourcesFolder()};
        chart = std::make_unique<ChartAssembly>(folders, allSkyClock);
    }

    ChartAssembly::Folders folders;
    // Set before SetUp to run the all-sky schedule in a test's time.
    AllSkyClock* allSkyClock = nullptr;
    // Set before SetUp: what an earlier run left in the settings file, which
    // the settings object reads as it opens.
    QMap<QString, QVariant> stored;
    std::unique_ptr<ChartAssembly> chart;
};
