#pragma once

#include "mount/dome/DomeMount.h"

#include <QCoreApplication>
#include <QThreadPool>

#include <atomic>
#include <vector>

// A mount the domes follow: its azimuth and position are set by the test.
// Work posted is kept for the test to run where it likes, or, with
// `onWorker`, run in order on a thread of its own.
class FakeDomeMount final : public DomeMount {
public:
    bool isConnected() const override { return connected; }
    double scopeAzimuth() const override { return azimuth; }
    bool hasPosition() const override { return connected && positionRead; }
    double scopeHourAngle() const override { return hourAngle; }
    double scopeDec() const override { return dec; }
    double latitude() const override { return lat; }
    quint16 selectPort() const override { return port; }
    void setIsBlockPolling(bool blocked) override { blockPolling = blocked; }
    void launchThread() override { ++launches; }
    // A mount without a port (its worker not checked in) drops numbered jobs.
    bool postJob(int id) override
    {
        if (hasPort)
            jobs.push_back(id);
        return hasPort;
    }
    void postWork(std::function<void()> job) override
    {
        if (onWorker)
            worker.start(std::move(job));
        else
            work.push_back(std::move(job));
    }

    // Waits for the worker's work and takes its answers on this thread,
    // for as many rounds as answers post more work.
    void settle()
    {
        for (int round = 0; round < 3; ++round) {
            worker.waitForDone();
            QCoreApplication::processEvents();
        }
    }

    FakeDomeMount() { worker.setMaxThreadCount(1); }

    std::atomic<bool> connected = true;
    std::atomic<bool> positionRead = true;
    std::atomic<double> azimuth = 0.0;
    double hourAngle = 0.0;
    double dec = 0.0;
    double lat = 45.0;
    quint16 port = 0;
    bool hasPort = true;
    std::atomic<bool> blockPolling = false;
    int launches = 0;
    std::vector<int> jobs;
    std::vector<std::function<void()>> work;
    bool onWorker = false;
    QThreadPool worker;
};
