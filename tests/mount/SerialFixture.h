#pragma once

#include "mount/SerialControl.h"
#include "platform/DebugLog.h"
#include "support/Eventually.h"
#include "support/PtyDevice.h"
#include "support/QStringPrinter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

// A transport on a short tick (or, for a device whose replies pause as
// real ones do, the program's own) with its debug log on, and simulated
// devices behind ptys.
class SerialFixture : public ::testing::Test {
protected:
    static constexpr std::chrono::microseconds kFastTick{1000};

    explicit SerialFixture(std::chrono::microseconds tick = kFastTick)
        : log(dir.path()),
          serial(DebugWriter([] { return true; }, &log),
                 SerialTiming{tick, std::chrono::milliseconds(300)})
    {
    }

    // A started device with its port listed at `index` 0.
    PtyDevice& device()
    {
        if (!pty) {
            pty = std::make_unique<PtyDevice>();
            serial.setExtraPorts({pty->path()});
            serial.getPortNames();
        }
        return *pty;
    }

    // Waits until the device has read and served every byte written to it:
    // a write that has returned may still be unread by its thread.
    bool deviceHeardAll() { return eventually([this] { return device().simulator().isDrained(); }); }

    // Starts the device and opens it on `slot`.
    void open(quint16 slot, bool evenParity = false)
    {
        device().start();
        ASSERT_TRUE(serial.openSerialDriver(0, 9600, evenParity, slot));
    }

    QString debugText() const
    {
        QFile file(log.path());
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

    struct Exchange {
        bool ok;
        qint32 count;
    };
    Exchange exchange(const QByteArray& request, quint16 expected, quint16 slot = kSerialSlotScope)
    {
        qint32 count = qint32(request.size());
        const bool ok = serial.transaction(expected, count, request.constData(), reply, slot);
        return {ok, count};
    }
    QByteArray replyText(qint32 count) const { return QByteArray(reply.data(), count); }

    QTemporaryDir dir;
    DebugLog log;
    SerialControl serial;
    std::unique_ptr<PtyDevice> pty;
    ReplyBuffer reply{};
};
