#pragma once

#include "model/PrefFixture.h"

#include "scopeview/SVDrawView.h"
#include "scopeview/SVDrawer.h"
#include "scopeview/SVView.h"
#include "scopeview/SVWindow.h"

#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"

#include <memory>

// The telescope view's window on the offscreen platform over a settings
// object on a temporary file.
class SVFixture : public PrefFixture {
protected:
    // Telescope slots by focal length (mm; 0 ends the list) and eyepiece
    // slots as (focal length mm, apparent field degrees), set before the
    // window is made.
    void setScopes(std::initializer_list<float> focalLengths)
    {
        int i = 0;
        for (float fl : focalLengths)
            prefs().scopes()[i++] = scope{fl, 100.0f, 5.0f, 1, 0, 0, 0, 1, 1};
        prefs().setScopeNamesArray({"A", "B", "C", "D", "E"});
    }
    void setEyepiece(int slot, float focalLength, float field)
    {
        prefs().eyepieces()[slot] = eyepiece{focalLength, field};
    }

    SVWindow& makeWindow()
    {
        m_window.reset();
        m_skyDate = std::make_unique<SkyDateModel>(prefs());
        m_window = std::make_unique<SVWindow>(prefs(), *m_skyDate, m_model);
        m_window->awakeFromNib(QString());
        return *m_window;
    }

    PrefControl& prefs()
    {
        if (!m_prefs)
            m_prefs = &launch();
        return *m_prefs;
    }
    SVWindow& window() { return *m_window; }
    SVDrawer& drawer() { return m_window->svDrawer(); }
    SVDrawView& controls() { return m_window->svDrawView(); }
    SVView& view() { return m_window->svView(); }

private:
    PrefControl* m_prefs = nullptr;
    StarDatabaseModel m_model;
    std::unique_ptr<SkyDateModel> m_skyDate;
    std::unique_ptr<SVWindow> m_window;
};
