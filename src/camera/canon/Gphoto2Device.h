#pragma once

#include "camera/canon/CanonSdk.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The handful of libgphoto2 calls the Canon backend makes, answered as the
// Canon error codes (kErrDeviceBusy for a busy camera). A device is made,
// called and ended on the backend's worker thread alone; a transfer in
// progress gives up once the `cancelled` flag it was made with is set.
class Gphoto2Device {
public:
    // A camera the detection found.
    struct Found {
        QString model;
        QString port;
    };
    // What the camera's event queue held: a new file, a setting changed
    // (on the body or by a write), or nothing to tell.
    struct Event {
        bool fileAdded = false;
        QString folder;
        QString name;
        // False once the queue said nothing more within the wait.
        bool more = false;
        // The configuration name of the changed setting.
        QString changedConfig;
    };
    using Error = CanonSdk::Error;
    using Factory = std::function<std::unique_ptr<Gphoto2Device>(const std::atomic<bool>& cancelled)>;
    // How far a transfer has come, 0 to 1.
    using Progress = std::function<void(double fraction)>;

    virtual ~Gphoto2Device() = default;

    virtual Error autodetect(std::vector<Found>& found) = 0;
    // Prepares the camera for init(); `canPreview` tells whether it gives live frames.
    virtual Error open(const Found& camera, bool& canPreview) = 0;
    virtual void close() = 0;
    virtual Error init() = 0;
    virtual Error exit() = 0;
    virtual bool hasConfig(const char* name) = 0;
    virtual Error readConfig(const char* name, QString& value) = 0;
    virtual Error writeConfig(const char* name, const QString& value) = 0;
    virtual Error configChoices(const char* name, QStringList& choices) = 0;
    virtual Error triggerCapture() = 0;
    virtual Error waitForEvent(int timeoutMs, Event& event) = 0;
    virtual Error fileSize(const QString& folder, const QString& name, std::optional<quint64>& size) = 0;
    // The whole file; kErrMemoryFull when it holds more than `maxBytes`.
    // `progress` hears how far the transfer has come while it runs.
    virtual Error fileGet(const QString& folder, const QString& name, qint64 maxBytes, const Progress& progress,
                          QByteArray& bytes) = 0;
    virtual Error fileDelete(const QString& folder, const QString& name) = 0;
    virtual Error capturePreview(QByteArray& jpeg) = 0;
    // The library's own words for the last failed detection, open or init.
    virtual QString errorText() const = 0;
};
