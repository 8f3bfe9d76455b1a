#pragma once

#include "ChartPrefs.h"

#include "chart/SkyView.h"
#include "chart/SkyWindow.h"
#include "chart/UpdateChain.h"
#include "chart/WindowSettings.h"
#include "model/catalogue/CatalogueFolders.h"

#include <QTemporaryDir>

#include <memory>

// The main window and chart view on the offscreen platform, with fakes for
// everything they talk to; the chain's redraws of the chart are logged.
class ChartWindowTest : public ChartPrefsTest {
protected:
    void SetUp() override
    {
        ChartPrefsTest::SetUp();
        ASSERT_TRUE(images.isValid());
    }

    SkyWindow& makeWindow()
    {
        m_window.reset();
        PrefControl& prefs = readPrefs();
        outlets = fakes.outlets();
        m_chain = std::make_unique<UpdateChain>(prefs, outlets);
        m_windowSettings = std::make_unique<WindowSettings>(prefs, outlets);
        // Every image and photograph the chart reads comes from `images`.
        CatalogueFolders folders;
        folders.imagesDirectory = folders.mythDirectory = folders.photoDirectory = folders.userPhotoDirectory =
            images.path() + "/";
        m_window = std::make_unique<SkyWindow>(prefs, outlets, *m_chain, *m_windowSettings, folders);
        return *m_window;
    }
    SkyView& view() { return m_window->skyView(); }

    QTemporaryDir images;
    ChartOutlets outlets;

private:
    std::unique_ptr<UpdateChain> m_chain;
    std::unique_ptr<WindowSettings> m_windowSettings;
    std::unique_ptr<SkyWindow> m_window;
};
