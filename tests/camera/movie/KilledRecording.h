#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QString>

#include <csignal>

// A recording cut short as by a crash or a power cut: this test program runs
// again with one test left out of ordinary runs (its name starts with
// DISABLED_), which records into the folder it is given and then kills
// itself with SIGKILL. Nothing of the writer's runs after the signal.
struct KilledRecording {
    static constexpr char kFolderVariable[] = "NORVANE_KILLED_RECORDING_FOLDER";
    // Frames the child records before it dies.
    static constexpr int kFrames = 12;

    // The folder a child records into; empty in an ordinary run.
    static QString folder() { return qEnvironmentVariable(kFolderVariable); }

    static void die() { std::raise(SIGKILL); }

    // Runs the child test `test` ("Suite.DISABLED_Name") recording into
    // `folder`; true when it ended by the signal.
    static bool run(const QString& test, const QString& folder)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kFolderVariable), folder);
        // The child's temporary home, left behind by the kill, goes with the folder.
        const QString temporary = folder + QStringLiteral("/tmp");
        QDir().mkpath(temporary);
        environment.insert(QStringLiteral("TMPDIR"), temporary);
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.setStandardOutputFile(QProcess::nullDevice());
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_also_run_disabled_tests"), QStringLiteral("--gtest_filter=") + test});
        // Generous: a loaded machine under the sanitizers starts slowly.
        if (!child.waitForFinished(180'000)) {
            child.kill();
            child.waitForFinished();
            return false;
        }
        return child.exitStatus() == QProcess::CrashExit;
    }
};
