#pragma once

#include "mount/MountFamily.h"
#include "mount/ScopeStatus.h"
#include "mount/SerialControl.h"
#include "mount/families/FamilyInputs.h"
#include "support/MountSimulator.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <chrono>
#include <numbers>
#include <utility>
#include <vector>

// A mount family beyond the LX200 style in its surroundings: a transport on the program's tick, the shared
// state, the events it asks of the main thread (recorded), inputs with a
// fixed clock and no settling pause, and a simulated mount on slot 1.
class SimulatedMountFixture : public ::testing::Test {
protected:
    static constexpr double kDegree = std::numbers::pi / 180.0;

    SimulatedMountFixture() : serial(DebugWriter(), SerialTiming{})
    {
        inputs.settle = [] {};
        inputs.now = [this] { return now; };
        QObject::connect(&events, &MountEvents::alertRequested,
                         [this](const QString& title, const QString&) { alerts.push_back(title); });
        QObject::connect(&events, &MountEvents::panelSetting,
                         [this](MountPanelSetting item, int value) { panel.emplace_back(item, value); });
    }

    // A mount opened again replaces the last: its port is let go first, or
    // the listing would keep it in place.
    void open(MountSimulator& simulator, bool evenParity = false)
    {
        serial.closeSerialDriver(kSerialSlotScope);
        simulator.start();
        serial.setExtraPorts({simulator.path()});
        serial.getPortNames();
        ASSERT_TRUE(serial.openSerialDriver(0, 9600, evenParity, kSerialSlotScope));
    }
    MountContext context() { return {serial, status, debug, events}; }
    // The value of a panel item last shown, -1 when never.
    int lastPanel(MountPanelSetting item) const
    {
        int value = -1;
        for (const auto& [shown, v] : panel)
            if (shown == item)
                value = v;
        return value;
    }

    SerialControl serial;
    ScopeStatus status;
    DebugWriter debug;
    MountEvents events;
    QDateTime now{QDate(2026, 3, 4), QTime(21, 30), QTimeZone::utc()};
    FamilyInputs inputs;
    std::vector<QString> alerts;
    std::vector<std::pair<MountPanelSetting, int>> panel;
};
