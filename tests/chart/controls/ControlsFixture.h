#pragma once

#include "chart/ChartWindowFixture.h"

#include "chart/UpdateChain.h"
#include "chart/controls/SkyKeyboard.h"
#include "chart/controls/SkyTimeControl.h"
#include "model/SkyDateModel.h"

#include <QTimeZone>

#include <memory>

// The main window with the real keyboard, time control and update chain on
// the fakes; the sky date at a fixed moment.
class ControlsTest : public ChartWindowTest {
protected:
    void SetUp() override
    {
        ChartWindowTest::SetUp();
        SkyWindow& window = makeWindow();
        PrefControl& prefs = settings();
        skyDate = std::make_unique<SkyDateModel>(prefs);
        skyDate->calculateDate(kMoment, 0.0);
        chain = std::make_unique<UpdateChain>(prefs, outlets);
        time = std::make_unique<SkyTimeControl>(prefs, *skyDate, outlets);
        time->setBeep([this] { ++beeps; });
        keyboard = std::make_unique<SkyKeyboard>(prefs, *time, outlets, *chain, window);
        view().setKeyboard(keyboard.get());
        prefs.setArrowSpeed(51.0f);
        fakes.log.calls.clear();
    }

    double secondsMoved() const { return kMoment.msecsTo(skyDate->skyDate()) / 1000.0; }

    const QDateTime kMoment{QDate(2024, 3, 1), QTime(3, 0), Qt::UTC};
    std::unique_ptr<SkyDateModel> skyDate;
    std::unique_ptr<UpdateChain> chain;
    std::unique_ptr<SkyTimeControl> time;
    std::unique_ptr<SkyKeyboard> keyboard;
    int beeps = 0;
};
