#pragma once

#include "model/PrefFixture.h"
#include "mount/ScopeStatus.h"
#include "mount/SerialControl.h"
#include "mount/families/MountFamilies.h"
#include "support/LX200Personality.h"
#include "support/PtyDevice.h"
#include "support/QStringPrinter.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

// One protocol family talking to a simulated mount behind a pty, on the
// transport's real tick, with its pauses recorded instead of slept, a fixed
// clock and the main-thread events recorded.
class FamilyFixture : public PrefFixture {
protected:
    using Kind = LX200Personality::Kind;

    void SetUp() override
    {
        PrefFixture::SetUp();
        prefs = &launch();
        QObject::connect(&events, &MountEvents::alertRequested,
                         [this](const QString& title, const QString&) { alerts.push_back(title); });
        QObject::connect(&events, &MountEvents::beepRequested, [this] { ++beeps; });
        QObject::connect(&events, &MountEvents::siteRead,
                         [this](double lat, double lon, const QString& name) {
                             siteLat = lat;
                             siteLon = lon;
                             siteName = name;
                         });
        QObject::connect(&events, &MountEvents::panelSetting,
                         [this](MountPanelSetting, int code) { panelCodes.push_back(code); });
    }

    // A mount of `kind` behind a new pty, with `fault` set on its device,
    // opened on slot 1, and its family.
    LX200Personality& start(Kind kind, int protocol, LX200Personality::Options options = {},
                            const std::function<void(DeviceSimulator&)>& fault = {})
    {
        serial.closeSerialDriver(kSerialSlotScope);
        family.reset();
        pty = std::make_unique<PtyDevice>();
        auto personality = std::make_unique<LX200Personality>(kind, options);
        LX200Personality& kept = *personality;
        mount = std::make_unique<ColonCommandMount>(std::move(personality));
        mount->setSlewTime(std::chrono::milliseconds(300));
        mount->attach(pty->simulator());
        if (fault)
            fault(pty->simulator());
        pty->start();
        seen = 0;
        serial.setExtraPorts({pty->path()});
        serial.getPortNames();
        EXPECT_TRUE(serial.openSerialDriver(0, 9600, false, kSerialSlotScope));
        ScopeThreadTiming timing;
        timing.sleep = [this](std::chrono::microseconds span) { pauses.push_back(span); };
        status.scopeProtocol = protocol;
        family = makeMountFamily(protocol, {serial, status, debug, events, prefs, nullptr,
                                            [this] { return FinderTrack{0, trackRA, 0.0, {}}; }, timing,
                                            [this] {
                                                return clockRuns ? clock.addMSecs(running.elapsed()) : clock;
                                            }});
        return kept;
    }

    // The frames the mount took since the last call, once it has served
    // every byte sent and the line has been quiet for a moment.
    std::vector<QByteArray> newFrames()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return pty->simulator().isDrained(); }, 20000));
        std::vector<QByteArray> all = mount->frames();
        for (int quiet = 0; quiet < 3;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            std::vector<QByteArray> later = mount->frames();
            quiet = later.size() == all.size() ? quiet + 1 : 0;
            all = std::move(later);
        }
        std::vector<QByteArray> fresh(all.begin() + qsizetype(seen), all.end());
        seen = all.size();
        return fresh;
    }

    PrefControl* prefs = nullptr;
    std::unique_ptr<PtyDevice> pty;
    std::unique_ptr<ColonCommandMount> mount;
    // The transport on the program's own tick: its cycles span what real
    // units pause inside a reply, as they do in use.
    SerialControl serial{DebugWriter(), SerialTiming{.wifiOpenTimeout = std::chrono::milliseconds(300)}};
    ScopeStatus status;
    MountEvents events;
    DebugWriter debug;
    std::shared_ptr<MountFamily> family;
    std::vector<std::chrono::microseconds> pauses;
    QDateTime clock{QDate(2026, 3, 14), QTime(21, 30, 5), QTimeZone("Europe/Berlin")};
    // The clock runs from `running`'s start when set, as a real one does.
    bool clockRuns = false;
    QElapsedTimer running;
    double trackRA = 1.0;
    std::vector<QString> alerts;
    int beeps = 0;
    double siteLat = 0.0;
    double siteLon = 0.0;
    QString siteName;
    std::vector<int> panelCodes;
    size_t seen = 0;
};
