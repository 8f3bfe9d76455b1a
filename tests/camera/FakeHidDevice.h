#pragma once

#include "camera/guide/HidDevice.h"

#include <vector>

// A HID device that exists only in the test: it records every report, and
// can be absent, attached twice, or refuse reports and closing.
class FakeHidDevice final : public HidDevice {
public:
    bool open(quint16 vendor, quint16 product) override
    {
        vendorId = vendor;
        productId = product;
        m_open = attached == 1;
        return m_open;
    }
    bool sendReport(const QByteArray& data) override
    {
        if (!m_open || refuseReports)
            return false;
        reports.push_back(data);
        return true;
    }
    bool close() override
    {
        if (refuseClose)
            return false;
        m_open = false;
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
    bool refuseReports = false;
    bool refuseClose = false;
    quint16 vendorId = 0;
    quint16 productId = 0;
    std::vector<QByteArray> reports;

private:
    bool m_open = false;
};
