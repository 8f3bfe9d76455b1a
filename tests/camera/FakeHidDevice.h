#pragma once

#include "camera/guide/HidDevice.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

// Holds a device call, as a stuck adapter would, until released. Shared, so
// the test can release a call still running after the device's owner is gone.
class FakeHidGate {
public:
    void hold()
    {
        const std::lock_guard lock(m_mutex);
        m_held = true;
    }
    void release()
    {
        const std::lock_guard lock(m_mutex);
        m_held = false;
        m_released.notify_all();
    }
    void pass()
    {
        std::unique_lock lock(m_mutex);
        m_released.wait(lock, [this] { return !m_held; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_held = false;
};

// A HID device that exists only in the test: it records every report, and
// can be absent, attached twice, refuse reports and closing, or hang in an
// open or a report.
class FakeHidDevice final : public HidDevice {
public:
    HidOpen open(quint16 vendor, quint16 product) override
    {
        openGate->pass();
        vendorId = vendor;
        productId = product;
        m_open = attached == 1 && !refuseOpen;
        if (attached != 1)
            return attached == 0 ? HidOpen::NotFound : HidOpen::SeveralFound;
        return m_open ? HidOpen::Opened : HidOpen::NotOpened;
    }
    bool sendReport(const QByteArray& data) override
    {
        writeGate->pass();
        if (!m_open || refuseReports)
            return false;
        reports.push_back(data);
        ++sent;
        return true;
    }
    bool close() override
    {
        if (refuseClose)
            return false;
        m_open = false;
        ++closes;
        return true;
    }
    bool isOpen() const override { return m_open; }

    // The one-byte reports sent so far.
    std::vector<int> bytes() const
    {
        std::vector<int> out;
        for (const QByteArray& report : reports)
            out.push_back(report.size() == 1 ? quint8(report[0]) : -1);
        return out;
    }
    int last() const { return reports.empty() ? -1 : quint8(reports.back()[0]); }

    int attached = 1;
    // Attached, but the system will not let it be opened (no udev rule).
    bool refuseOpen = false;
    bool refuseReports = false;
    bool refuseClose = false;
    quint16 vendorId = 0;
    quint16 productId = 0;
    std::vector<QByteArray> reports;
    // Counted after the report or close is done, for a test waiting on the
    // device's own thread.
    std::atomic<int> sent = 0;
    std::atomic<int> closes = 0;
    std::shared_ptr<FakeHidGate> openGate = std::make_shared<FakeHidGate>();
    std::shared_ptr<FakeHidGate> writeGate = std::make_shared<FakeHidGate>();

private:
    std::atomic<bool> m_open = false;
};
