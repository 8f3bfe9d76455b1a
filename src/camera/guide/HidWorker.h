#pragma once

#include "camera/guide/HidDevice.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

// Runs a HidDevice's opens, reports and closes on a thread of its own, so a
// device that stops answering holds up that thread and never the caller's.
// The caller waits for a call no longer than the call's time-out, counted
// from when the thread takes it up; a call still running then counts as
// failed, and while it runs on, later calls fail at once rather than queue
// behind it (a guide report sent late would move the mount wrongly).
class HidWorker {
public:
    // How long the thread may take to begin a call, and how long
    // destruction waits for it to close the device; a thread still stuck
    // after that is left to finish alone.
    static constexpr std::chrono::milliseconds kStartWait{50};
    static constexpr std::chrono::milliseconds kStopWait{50};
    // Finding and opening the device: hidraw enumeration takes a few
    // milliseconds on a healthy bus.
    static constexpr std::chrono::milliseconds kOpenTimeout{50};
    static constexpr std::chrono::milliseconds kCloseTimeout{50};

    // `safeReport` switches every line of the device off.
    HidWorker(std::unique_ptr<HidDevice> device, QByteArray safeReport);
    ~HidWorker();
    HidWorker(const HidWorker&) = delete;
    HidWorker& operator=(const HidWorker&) = delete;

    // An open that finishes after its caller gave up is closed again, so a
    // failed connect never leaves the device held.
    HidOpen open(quint16 vendorId, quint16 productId);
    // A report that goes through after its caller gave up is followed by the
    // safe report: the caller counted it as failed and will not switch its
    // lines off again (a guide pulse's end, a bulb exposure's close).
    bool sendReport(const QByteArray& data, std::chrono::milliseconds timeout);
    bool close();

private:
    struct Shared;
    struct Call;
    using Work = std::function<bool(HidDevice&)>;
    using Undo = std::function<void(HidDevice&)>;

    static void serve(const std::shared_ptr<Shared>& shared);
    // The call's result, or nothing when it was not taken up or did not end in time.
    std::optional<bool> run(Work work, Undo undo, std::chrono::milliseconds timeout);

    QByteArray m_safeReport;
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};
