#pragma once

#include "camera/guide/HidWorker.h"
#include "focus/FCUSBControl.h"
#include "focus/FCUSBPort.h"

#include <chrono>
#include <memory>

// An FCUSB unit through the HID worker: its opens, reports and closes run on
// the worker's thread, and the window waits for each only a bounded time.
class FCUSBHidPort final : public FCUSBPort {
public:
    // A report not taken within this counts as refused.
    static constexpr std::chrono::milliseconds kWriteTimeout{50};

    // A report that goes through after it was counted as refused is
    // followed by a stop, so a late run never leaves the motor turning.
    explicit FCUSBHidPort(std::unique_ptr<HidDevice> device)
        : m_worker(std::move(device), QByteArray{char(FCUSBControl::kReport | FCUSBControl::kStop), '\0'})
    {
    }

    QString open(quint16 vendorId, quint16 productId) override
    {
        return hidOpenFailure(m_worker.open(vendorId, productId));
    }
    bool sendReport(const QByteArray& report) override { return m_worker.sendReport(report, kWriteTimeout); }
    void close() override { m_worker.close(); }

private:
    HidWorker m_worker;
};
