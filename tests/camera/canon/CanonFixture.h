#pragma once

#include "camera/canon/CanonControl.h"
#include "camera/canon/CanonShutter.h"
#include "support/canon/ConnectOutcome.h"
#include "support/canon/SimulatedCanonSdk.h"
#include "model/TempSettings.h"
#include "model/settings/PrefControl.h"
#include "platform/DebugLog.h"
#include "platform/DisplayGamma.h"
#include "support/Eventually.h"
#include "support/RecordingAlertPresenter.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>
#include <optional>

// The DSUSB adapter as the Canon controller sees it.
struct FakeShutter final : CanonShutter {
    bool isDSUSBConnected() const override { return connected; }
    bool openDSShutter() override
    {
        ++opened;
        return true;
    }
    bool closeDSShutter() override
    {
        ++closed;
        return true;
    }
    bool connected = true;
    int opened = 0;
    int closed = 0;
};

// A Canon controller on the simulated camera, with its settings, debug log
// and downloads in temporary folders and a tick clock the test moves.
class CanonFixture : public TempSettings {
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        ASSERT_TRUE(images.isValid());
        gamma = DisplayGamma::create();
        prefs = std::make_unique<PrefControl>(*gamma);
        prefs->readPrefs();
        prefs->setCanonImageFile(images.filePath("Canon Image"));
        log = std::make_unique<DebugLog>(images.path());
        control = std::make_unique<CanonControl>(sdk, *prefs, DebugWriter([] { return true; }, log.get()));
        control->setTickClock([this] { return now; });
    }
    void TearDown() override
    {
        control.reset();
        TempSettings::TearDown();
    }

    // Connects with the stored exposure choice `index` and waits for the
    // outcome; its failure text is kept.
    bool connect(int index = 14)
    {
        prefs->setCanonExpIndex(static_cast<quint16>(index));
        const std::optional<ConnectOutcome> outcome = ConnectOutcome::of(*control);
        failure = outcome ? outcome->failure : QString();
        return outcome && outcome->connected;
    }
    void choose(int item)
    {
        control->panel().expSelected = item;
        control->canonAction(CanonControl::kTagExpCombo);
    }
    void typeExposure(const QString& text)
    {
        control->panel().expSelected = -1;
        control->panel().expValue = text;
        control->canonAction(CanonControl::kTagExpCombo);
    }
    // The exposure-count and delay pop-ups' items.
    void count(int item)
    {
        control->panel().numExpSelected = item;
        control->canonAction(CanonControl::kTagNumExp);
    }
    void delay(int item)
    {
        control->panel().delaySelected = item;
        control->canonAction(CanonControl::kTagDelay);
    }
    int commandsSent(std::uint32_t command) const
    {
        int n = 0;
        for (const auto& [sent, param] : sdk.commands())
            n += sent == command ? 1 : 0;
        return n;
    }
    // Presses Expose and waits for the camera's answer to a start.
    void expose()
    {
        control->canonAction(CanonControl::kTagExpose);
        waitFor([this] { return !control->isCanonStarting(); });
    }
    // Runs the event loop until `done`, within a deadline no transport undercuts.
    template <class Done>
    static bool waitFor(Done done, int ms = kEventBackstopMs)
    {
        return eventually(done, ms);
    }
    // Runs the event loop until the camera's answers and reports so far have been handled.
    bool delivered()
    {
        return waitFor([this] { return sdk.isDelivered(); });
    }
    // Moves the tick clock past the exposure and lets the progress timer see it.
    bool finishExposure()
    {
        now += static_cast<std::int64_t>(control->canonExpTime() * 60) + 1;
        return waitFor([this] { return !control->isCanonExposing(); });
    }
    QStringList imageFiles() const { return QDir(images.path()).entryList({"Canon Image*"}, QDir::Files, QDir::Name); }
    QStringList allFiles() const { return QDir(images.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    QString logText() const
    {
        QFile file(log->path());
        file.open(QIODevice::ReadOnly);
        return QString::fromLatin1(file.readAll());
    }
    QStringList alertTitles() const
    {
        QStringList titles;
        for (const RecordedAlert& alert : alerts.alerts)
            titles << alert.title;
        return titles;
    }

    ScopedAlertRecorder alerts;
    QTemporaryDir images;
    SimulatedCanonSdk sdk;
    std::unique_ptr<DisplayGamma> gamma;
    std::unique_ptr<PrefControl> prefs;
    std::unique_ptr<DebugLog> log;
    std::unique_ptr<CanonControl> control;
    std::int64_t now = 1000;
    QString failure;
};
