#pragma once

#include "SVFixture.h"

#include "support/LocalHttpServer.h"
#include "support/RecordingAlertPresenter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The telescope view's window with a "Misc" folder of its own, a loopback
// web server standing in for every service, and recorded alerts.
class SVWebFixture : public SVFixture {
protected:
    static constexpr int kWaitMs = 5000;

    void SetUp() override
    {
        SVFixture::SetUp();
        makeWindow();
    }

    // Tracking the field centre `ra`, `dec` (radians) at a field of `fov` degrees.
    void track(double ra, double dec, float fov)
    {
        view().setTrackRA(ra, dec);
        drawer().setFov(fov);
    }

    QString misc() const { return m_misc.path() + "/"; }
    QByteArray contents(const QString& name) const
    {
        QFile file(misc() + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(misc() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static bool waitFor(const std::function<bool()>& condition)
    {
        return QTest::qWaitFor(condition, kWaitMs);
    }

    // A model whose precession is none: the J2000 centre is the view's.
    const StarDatabaseModel& model() const { return m_model; }

    LocalHttpServer server;
    ScopedAlertRecorder recorder;

private:
    QTemporaryDir m_misc;
    StarDatabaseModel m_model;
};
