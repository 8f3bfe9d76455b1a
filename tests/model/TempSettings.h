#pragma once

#include "model/prefs/PrefStore.h"
#include "support/QStringPrinter.h"

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

    // What the settings file holds (or will hold once written), key by key, as
    // an independent reader of the file sees it.
    static QMap<QString, QVariant> storedValues()
    {
        QSettings file(PrefStore::fileName(), QSettings::IniFormat);
        QMap<QString, QVariant> values;
        for (const QString& key : file.allKeys())
            values.insert(key, file.value(key));
        return values;
    }

    // The keys whose stored value differs between two snapshots.
    static QStringList changedKeys(const QMap<QString, QVariant>& before,
                                   const QMap<QString, QVariant>& after)
    {
        QStringList keys;
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            if (!before.contains(it.key()) || before.value(it.key()) != it.value())
                keys.append(it.key());
        }
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (!after.contains(it.key()))
                keys.append(it.key());
        }
        keys.sort();
        return keys;
    }

private:
    QTemporaryDir m_dir;
};
