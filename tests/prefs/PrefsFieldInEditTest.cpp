#include "PrefsFixture.h"

#include "prefs/CustomFilter.h"
#include "prefs/FiltersTab.h"
#include "prefs/ShortcutsTab.h"
#include "support/FieldInEdit.h"

#include <functional>
#include <memory>
#include <utility>

namespace {

class PrefsFieldInEditTest : public TempSettings {
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        prefs = std::make_unique<PrefControl>(gamma);
        prefs->readPrefs();
    }

    NoGamma gamma;
    PrefLocalization texts;
    CustomFilter filter;
    std::unique_ptr<PrefControl> prefs;
};

}  // namespace

// The preferences window closes (the program quits, say) while the user
// types in a tab's field: the edit that ends then does not reach the tab's
// half-destroyed self.
TEST_F(PrefsFieldInEditTest, EachTabGoesAwayWithAFieldInEdit)
{
    using Built = std::pair<std::unique_ptr<QWidget>, QWidget*>;
    const std::pair<const char*, std::function<Built()>> tabs[] = {
        {"shortcuts",
         [&] {
             auto tab = std::make_unique<ShortcutsTab>(*prefs);
             QWidget* field = tab->field(3);
             return Built(std::move(tab), field);
         }},
        {"path days",
         [&] {
             auto tab = std::make_unique<FiltersTab>(*prefs, filter, texts);
             QWidget* field = tab->pathDaysField();
             return Built(std::move(tab), field);
         }},
        {"path percent",
         [&] {
             auto tab = std::make_unique<FiltersTab>(*prefs, filter, texts);
             QWidget* field = tab->pathPercentField();
             return Built(std::move(tab), field);
         }},
    };
    for (const auto& [name, build] : tabs) {
        auto [tab, field] = build();
        EXPECT_TRUE(FieldInEdit::destroy(std::move(tab), *field)) << name;
    }
}
