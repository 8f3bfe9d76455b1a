#include "FocuserWorkerFixture.h"

#include "focus/FocusCameras.h"
#include "focus/JMIControl.h"
#include "focus/JMIFrame.h"
#include "focus/MoonLiteControl.h"
#include "focus/MoonLiteFrame.h"
#include "focus/OptecControl.h"
#include "focus/OptecFrame.h"
#include "focus/RoboControl.h"
#include "focus/RoboFrame.h"
#include "focus/views/FocuserWindow.h"
#include "focus/views/JMIWindow.h"
#include "focus/views/MoonLiteWindow.h"
#include "focus/views/OptecWindow.h"
#include "focus/views/RoboWindow.h"
#include "support/FieldInEdit.h"

#include <QDoubleSpinBox>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace {

// A focuser's window on its frame and controller, which outlive it.
struct Built {
    std::shared_ptr<void> model;
    std::unique_ptr<QWidget> window;
    QWidget* field = nullptr;
};

template <class Control, class Frame>
std::shared_ptr<void> keep(std::unique_ptr<Control> control, std::unique_ptr<Frame> frame)
{
    // The frame goes before its controller.
    return std::make_shared<std::pair<std::unique_ptr<Control>, std::unique_ptr<Frame>>>(std::move(control),
                                                                                          std::move(frame));
}

class FocuserFieldInEditTest : public FocuserWorkerFixture {
protected:
    FocuserFrame::Links links() { return {*scope, *prefs, cameras}; }

    Built robo()
    {
        auto window = std::make_unique<RoboWindow>();
        auto control = std::make_unique<RoboControl>(*serial, *worker);
        auto frame = std::make_unique<RoboFrame>(*control, links(), RoboFrame::Views{*window, *window, *window},
                                                 std::function<void()>());
        window->attachRobo(*frame);
        QWidget* field = window->field(RoboFrame::kBacklashField);
        return {keep(std::move(control), std::move(frame)), std::move(window), field};
    }
    Built optec()
    {
        auto window = std::make_unique<OptecWindow>();
        auto control = std::make_unique<OptecControl>(*serial, *worker);
        auto frame = std::make_unique<OptecFrame>(*control, links(), OptecFrame::Views{*window, *window, *window},
                                                  std::function<void()>());
        window->attachOptec(*frame);
        QWidget* field = window->speedField(0);
        return {keep(std::move(control), std::move(frame)), std::move(window), field};
    }
    Built jmi()
    {
        auto window = std::make_unique<JMIWindow>();
        auto control = std::make_unique<JMIControl>(*serial, *worker, *prefs);
        auto frame = std::make_unique<JMIFrame>(*control, links(), *window, *window, *window);
        window->attachJMI(*frame);
        QWidget* field = window->backlashField();
        return {keep(std::move(control), std::move(frame)), std::move(window), field};
    }
    Built moonLite()
    {
        auto window = std::make_unique<MoonLiteWindow>();
        auto control = std::make_unique<MoonLiteControl>(*serial, *worker, *prefs);
        auto frame = std::make_unique<MoonLiteFrame>(
            *control, links(), MoonLiteFrame::Displays{*window, *window, *window, *window});
        window->attachMoonLite(*frame);
        QWidget* field = window->slopeField();
        return {keep(std::move(control), std::move(frame)), std::move(window), field};
    }
    // The autofocus steps every focuser's window shares.
    Built autofocus()
    {
        auto window = std::make_unique<FocuserWindow>("Probe");
        auto control = std::make_unique<ProbeFocuserControl>(*serial, *worker);
        auto frame = std::make_unique<ProbeFocuserFrame>(*control, links(), *window, *window);
        window->attach(*frame);
        QWidget* field = window->findChild<QSpinBox*>();
        return {keep(std::move(control), std::move(frame)), std::move(window), field};
    }

    FocusCameras cameras;
};

}  // namespace

// Each window goes away (the program quits, say) while the user types in
// one of its fields: the edit that ends then does not reach the window's
// half-destroyed self.
TEST_F(FocuserFieldInEditTest, EachWindowGoesAwayWithAFieldInEdit)
{
    const std::pair<const char*, std::function<Built()>> windows[] = {
        {"RoboFocus", [this] { return robo(); }}, {"TCF-S", [this] { return optec(); }},
        {"JMI", [this] { return jmi(); }},        {"MoonLite", [this] { return moonLite(); }},
        {"autofocus", [this] { return autofocus(); }},
    };
    for (const auto& [name, build] : windows) {
        Built built = build();
        ASSERT_NE(built.field, nullptr) << name;
        EXPECT_TRUE(FieldInEdit::destroy(std::move(built.window), *built.field)) << name;
    }
}
