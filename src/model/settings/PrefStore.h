#pragma once

#include "model/settings/PrefDefaults.h"
#include "model/settings/PrefFileWriter.h"
#include "model/settings/RecordBounds.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QHash>
#include <QSet>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>

// The settings file: an INI file of organisation "Norvane", application
// "Norvane Pro", read through the registration table so that a key the user
// never stored reads its registered default. Values take the forms of
// PrefForms. The settings object is its only user. A write that fails keeps
// the file as it was (PrefFileFormat). A change is written a moment later
// off the main thread; a sync writes at once, after any such write. Each
// write makes only this copy's changes since its last write, on top of the
// file as it then is, so what another copy of the program wrote to other
// keys stays; the values read are those of the file at the start.
class PrefStore {
public:
    // Moves the earlier edition's file ("Norvane 6") into place when ours is
    // missing, then opens ours and registers the defaults of `now`'s launch.
    explicit PrefStore(const QDateTime& now);
    ~PrefStore();
    PrefStore(const PrefStore&) = delete;
    PrefStore& operator=(const PrefStore&) = delete;

    // The files of this edition and of the earlier one.
    static QString fileName();
    static QString earlierEditionFileName();

    const PrefDefault* registered(const QString& key) const;

    // The stored value, else the registered default; booleans, integers and
    // floats that cannot be read read as false or 0 (PrefForms). A stored
    // number that is not finite (as the type holds it) or lies outside its
    // key's registered range reads as the default, and the debug sink is
    // told once per key.
    bool readBool(const QString& key) const;
    qint64 readInteger(const QString& key) const;
    float readFloat(const QString& key) const;
    double readDouble(const QString& key) const;
    QString readString(const QString& key) const;
    // A stored value that does not decode reads as the registered default.
    QColor readColor(const QString& key) const;
    QFont readFont(const QString& key) const;
    QDateTime readDate(const QString& key) const;
    QStringList readStringArray(const QString& key) const;
    QByteArray readData(const QString& key) const;

    // Fills `records` from a raw block: at most their size is copied, and
    // what a short block does not cover is zero. A field outside its
    // record's bounds (boundFields) reads as that field of the registered
    // record, and the debug sink is told once per key.
    template <class Record, std::size_t N>
    void readRecords(const QString& key, std::array<Record, N>& records) const
    {
        readBlock(key, records.data(), sizeof records);
        std::array<Record, N> defaults{};
        readRegisteredBlock(key, defaults.data(), sizeof defaults);
        bool isBounded = false;
        for (std::size_t i = 0; i < N; ++i) {
            terminateTextFields(records[i]);
            isBounded = boundFields(records[i], defaults[i]) || isBounded;
        }
        if (isBounded)
            reportDefaultRead(key);
    }
    // The same for a block of plain numbers.
    void readBlock(const QString& key, void* destination, std::size_t size) const;
    // A block of numbers of one kind: each outside `range` (or not a number)
    // reads as that of the registered block, and the debug sink is told once
    // per key.
    template <class Number, std::size_t N>
    void readNumbers(const QString& key, std::array<Number, N>& numbers, PrefRange range) const
    {
        readBlock(key, numbers.data(), sizeof numbers);
        std::array<Number, N> defaults{};
        readRegisteredBlock(key, defaults.data(), sizeof defaults);
        bool isBounded = false;
        for (std::size_t i = 0; i < N; ++i) {
            if (!range.holds(double(numbers[i]))) {
                numbers[i] = defaults[i];
                isBounded = true;
            }
        }
        if (isBounded)
            reportDefaultRead(key);
    }

    void writeBool(const QString& key, bool value);
    void writeInteger(const QString& key, qint64 value);
    void writeFloat(const QString& key, float value);
    void writeDouble(const QString& key, double value);
    void writeString(const QString& key, const QString& value);
    void writeColor(const QString& key, const QColor& value);
    void writeFont(const QString& key, const QFont& value);
    void writeDate(const QString& key, const QDateTime& value);
    void writeStringArray(const QString& key, const QStringList& value);
    void writeData(const QString& key, const QByteArray& value);

    template <class Record, std::size_t N>
    void writeRecords(const QString& key, const std::array<Record, N>& records)
    {
        writeBlock(key, records.data(), sizeof records);
    }
    void writeBlock(const QString& key, const void* source, std::size_t size);

    // Whether the file holds a value the user stored, not the registered default.
    bool holds(const QString& key) const;
    // Removes the user's value, so the registered default shows through.
    void remove(const QString& key);
    // Writes pending changes to the file, once the write a moment later
    // (if one runs) has ended; false when they could not be written, and
    // the file keeps its earlier content. A later sync tries again. The
    // first failure after a success sends one line to the debug sink.
    bool sync();
    // Syncs every store of this process on the file at `path` (on this
    // thread, which owns them), so that a reader of the file sees their changes.
    static void syncAll(const QString& path);
    // Whether the last write reached the file.
    bool written() const;
    // Whether a change waits for the write a moment later, or that write
    // has yet to end and be told.
    bool writePending() const { return m_laterSync.isActive() || m_writer->isBusy(); }
    // Why the last sync did not reach it; empty when it did.
    QString writeError() const;
    void setDebugSink(std::function<void(const QString&)> sink) { m_debug = std::move(sink); }
    // Told the reason when a change nobody saved at once (a check box, a
    // slider) could not reach the file a moment later; once per failure.
    void setLaterWriteFailureSink(std::function<void(const QString&)> sink) { m_laterFailure = std::move(sink); }

private:
    void laterWritten(bool written);
    // Takes the outcome of a write: the debug sink hears of the first
    // failure after a success.
    void noteWritten(bool written);
    // Hands the changes not yet handed to the writer, which writes them off
    // this thread: a moment after a change, so that a run of changes is
    // written once, and at a sync.
    void handChanges();

    QVariant value(const QString& key) const;
    QString registeredText(const QString& key) const;
    // `read` when it is finite and within the key's range, else the default.
    double checkedNumber(const QString& key, double read) const;
    void readRegisteredBlock(const QString& key, void* destination, std::size_t size) const;
    void reportDefaultRead(const QString& key) const;
    void put(const QString& key, const QVariant& value);

    const QString m_path;
    // The file as read at the start, with this copy's changes.
    QSettings::SettingsMap m_values;
    // This copy's changes the writer has yet to be handed.
    PrefFileFormat::Changes m_changes;
    QHash<QString, PrefDefault> m_defaults;
    std::function<void(const QString&)> m_debug;
    std::function<void(const QString&)> m_laterFailure;
    QTimer m_laterSync;
    std::unique_ptr<PrefFileWriter> m_writer;
    bool m_written = true;
    // The writer's outcomes are a sync's, not told as a later write's.
    bool m_syncing = false;
    mutable QSet<QString> m_reportedKeys;
};
