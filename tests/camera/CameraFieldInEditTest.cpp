#include "camera/FakeFrameSource.h"
#include "camera/allsky/FakeAllSkyCamera.h"
#include "canon/CanonFixture.h"

#include "camera/allsky/AllSkySession.h"
#include "camera/sg4/SG4Control.h"
#include "camera/views/allsky/AllSkyDatePanel.h"
#include "camera/views/canon/CanonPanel.h"
#include "camera/views/sg4/SG4Panel.h"
#include "camera/views/webcam/WebcamPanel.h"
#include "camera/webcam/WebCamController.h"
#include "mount/SerialControl.h"
#include "support/FieldInEdit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <utility>

namespace {

// Each camera panel beside the Canon controller's fixture: the SG-4's on
// its controller (no port opened), the all-sky date panel on a session of
// a simulated camera, the webcam's on a frame source.
class CameraFieldInEditTest : public CanonFixture {
protected:
    QTemporaryDir folder;
    SerialControl serial{DebugWriter(), SerialTiming{}};
    SG4Control sg4{serial, DebugWriter()};
    ManualAllSkyClock clock;
    FakeAllSkyCamera allSkyCamera{clock};
    FakeFrameSource source;
    WebCamController webcam{source, DebugWriter(), QString(), folder.path() + "/"};
};

}  // namespace

// A panel goes away (the program quits, say) while the user types in one
// of its fields: the edit that ends then does not reach the panel's
// half-destroyed self.
TEST_F(CameraFieldInEditTest, EachPanelGoesAwayWithAFieldInEdit)
{
    AllSkySession session(allSkyCamera, clock, prefs.get(), folder.path(), DebugWriter());
    using Built = std::pair<std::unique_ptr<QWidget>, QWidget*>;
    const std::pair<const char*, std::function<Built()>> panels[] = {
        {"all-sky movie rate",
         [&] {
             auto panel = std::make_unique<AllSkyDatePanel>(session, *prefs);
             panel->movieCheckbox()->click();
             QWidget* field = panel->fpsField();
             return Built(std::move(panel), field);
         }},
        {"webcam frames",
         [&] {
             auto panel = std::make_unique<WebcamPanel>(webcam);
             QWidget* field = panel->frameMaxText();
             return Built(std::move(panel), field);
         }},
        {"SG-4 gain",
         [&] {
             auto panel = std::make_unique<SG4Panel>(sg4, DebugWriter());
             QWidget* field = panel->xGainText();
             return Built(std::move(panel), field);
         }},
        {"Canon movie frames",
         [&] {
             auto panel = std::make_unique<CanonPanel>(*control, DebugWriter());
             control->panel().movieFramesEnabled = true;
             emit control->panelChanged();
             QWidget* field = panel->movieFramesText();
             return Built(std::move(panel), field);
         }},
    };
    for (const auto& [name, build] : panels) {
        auto [panel, field] = build();
        EXPECT_TRUE(FieldInEdit::destroy(std::move(panel), *field)) << name;
    }
}
