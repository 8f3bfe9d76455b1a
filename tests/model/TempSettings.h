#pragma once

#include "model/settings/PrefStore.h"
#include "support/Eventually.h"
#include "support/QStringPrinter.h"

#include <QFile>
#include <QMap>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

// Points the settings files of this process at a fresh temporary folder for
// one test, so no test ever touches the user's real settings.
class TempSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }

    QString folder() const { return m_dir.path(); }

    // Writes values into the settings file as an earlier run would have left them.
    static void seed(const QMap<QString, QVariant>& values)
    {
        QSettings file(PrefStore::fileName(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            file.setValue(it.key(), it.value());
    }

    // What the settings file holds once the settings objects of the test
    // have written their changes, key by key, as an independent reader of
    // the file sees it. Read from a copy of a fresh name: Qt hands a reader on
    // the file's own name what this process read of it before, while the
    // file's size and time match.
    static QMap<QString, QVariant> storedValues()
    {
        PrefStore::syncAll(PrefStore::fileName());
        const QTemporaryDir copyFolder;
        const QString copy = copyFolder.filePath(QStringLiteral("copy.ini"));
        QFile::copy(PrefStore::fileName(), copy);
        QSettings file(copy, QSettings::IniFormat);
        QMap<QString, QVariant> values;
        for (const QString& key : file.allKeys())
            values.insert(key, file.value(key));
        return values;
    }

    static QString stored(const QString& key) { return storedValues().value(key).toString(); }

    // Syncs `store` and waits for its write to end: whether it reached the file.
    static bool synced(PrefStore& store)
    {
        store.sync();
        EXPECT_TRUE(eventually([&] { return !store.writePending(); }));
        return store.written();
    }

    // What `operation` changes in the file: each written key with its new
    // value, each removed key with none.
    template <class Operation>
    static QMap<QString, QVariant> writtenBy(Operation operation)
    {
        const auto before = storedValues();
        operation();
        const auto after = storedValues();
        QMap<QString, QVariant> written;
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            if (before.value(it.key()) != it.value())
                written.insert(it.key(), it.value());
        }
        for (const QString& key : before.keys()) {
            if (!after.contains(key))
                written.insert(key, QVariant());
        }
        return written;
    }

private:
    QTemporaryDir m_dir;
};
