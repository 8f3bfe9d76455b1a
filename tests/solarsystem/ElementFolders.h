#pragma once

#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>

// A temporary data folder with its "Build Data" and "Database" directories and an alert recorder.
class ElementFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath("Build Data"));
        ASSERT_TRUE(QDir(dir.path()).mkpath("Database"));
    }

    QString buildDirectory() const { return dir.path() + "/Build Data/"; }
    QString databaseDirectory() const { return dir.path() + "/Database/"; }

    void writeBuildFile(const char* name, const std::string& text) const
    {
        QFile f(buildDirectory() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), qint64(text.size()));
    }

    QByteArray databaseFile(const char* name) const
    {
        QFile f(databaseDirectory() + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The one alert shown since the last check.
    void expectOneAlert(const char* title, const char* message)
    {
        ASSERT_EQ(recorder.alerts.size(), 1u);
        EXPECT_EQ(recorder.alerts[0].title, title);
        EXPECT_EQ(recorder.alerts[0].message, message);
        recorder.alerts.clear();
    }

    QTemporaryDir dir;
    ScopedAlertRecorder recorder;
};
