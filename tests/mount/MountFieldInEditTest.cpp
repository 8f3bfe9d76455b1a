#include "mount/dome/DomeBoardFixture.h"

#include "model/settings/PrefControl.h"
#include "mount/panels/DomePanel.h"
#include "mount/panels/WiFiPanel.h"
#include "platform/DisplayGamma.h"
#include "support/FieldInEdit.h"

#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <utility>

namespace {

// The dome board's fixture, with settings of its own in a fresh folder for
// the panels.
class MountFieldInEditTest : public DomeBoardFixture {
protected:
    MountFieldInEditTest() { prefs.readPrefs(); }

    struct SettingsFolder {
        SettingsFolder() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path()); }
        QTemporaryDir dir;
    } settingsFolder;
    std::unique_ptr<DisplayGamma> gamma = DisplayGamma::create();
    PrefControl prefs{*gamma};
};

}  // namespace

// A panel goes away (the program quits, say) while the user types in one
// of its fields: the edit that ends then does not reach the panel's
// half-destroyed self.
TEST_F(MountFieldInEditTest, EachPanelGoesAwayWithAFieldInEdit)
{
    using Built = std::pair<std::unique_ptr<QWidget>, QWidget*>;
    const std::pair<const char*, std::function<Built()>> panels[] = {
        {"WiFi address",
         [&] {
             auto panel = std::make_unique<WiFiPanel>(serial, prefs);
             QWidget* field = panel->addressEdit();
             return Built(std::move(panel), field);
         }},
        {"dome ticks",
         [&] {
             auto panel = std::make_unique<DomePanel>(dome, prefs, QString());
             QWidget* field = panel->ticksField();
             return Built(std::move(panel), field);
         }},
    };
    for (const auto& [name, build] : panels) {
        auto [panel, field] = build();
        EXPECT_TRUE(FieldInEdit::destroy(std::move(panel), *field)) << name;
    }
}
