#pragma once

#include "model/settings/PrefDefaults.h"
#include "model/settings/PrefFileWriter.h"
#include "model/settings/RecordBounds.h"

#include <QColor>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFont>
#include <QHash>
#include <QSet>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <array>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

// The settings file: an INI file of organisation "Norvane", application
// "Norvane Pro", read through the registration table so that a key the user
// never stored reads its registered default. Values take the forms of
// PrefForms. The settings object is its only user. A write that fails keeps
// the file as it was (PrefFileFormat). A change is written a moment later
// off the main thread, a sync hands it at once; neither waits, also not for
// another copy's hold on the file. Each write makes only this copy's changes
// since its last write, on top of the file as it then is, so what another
// copy of the program wrote to other keys stays; the values read are those
// of the file at the start. The stores of one process on one file share
// their writer, so their writes land in the order they were handed.
class PrefStore {
public:
    // How long the quit and the store's end wait, all told, for the last
    // writes; a writer that another program's hold on the file keeps
    // longer is given up.
    static constexpr std::chrono::milliseconds kFinishWait{3000};

    // Moves the earlier edition's file ("Norvane 6") into place when ours is
    // missing, then opens ours and registers the defaults of `now`'s launch.
    // The changes of the other stores of this process on the file read as
    // written, also those still waiting for another program's hold to end.
    explicit PrefStore(const QDateTime& now);
    // Waits for the last writes as finishAtQuit does, within what the quit
    // left of kFinishWait, telling only the debug sink.
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
    // Hands the pending changes to the writer now, for a save the user
    // asked for, and returns at once; the write is told as any other. A
    // failed write's changes go with the next.
    void sync();
    // Syncs every store of this process on the file at `path` (on this
    // thread, which owns them) and waits while their writer writes, never
    // for another program's hold on the file: a reader of the file then
    // sees their changes, unless that hold keeps them waiting.
    static void syncAll(const QString& path);
    // At quit: syncs and waits at most kFinishWait for the writes to end.
    // Writes that could not end are told to the debug sink and, for the
    // user, to the later-failure sink. That word is the user's last: from the
    // quit's start no hold is told, and after its word no failure.
    void finishAtQuit();
    // Whether the last write reached the file.
    bool written() const;
    // Whether a change waits for its write, or that write has yet to end
    // and be told.
    bool writePending() const { return m_laterSync.isActive() || m_writer->isBusy(); }
    // Why the last write did not reach it; empty when it did.
    QString writeError() const;
    // Told the first failure of a write after a success, and writes that
    // could not end at quit or as the store goes.
    void setDebugSink(std::function<void(const QString&)> sink) { m_debug = std::move(sink); }
    // Told the reason when a change (saved at once or a moment later) could
    // not reach the file, once per failure, and at quit when the last writes
    // could not end.
    void setLaterWriteFailureSink(std::function<void(const QString&)> sink) { m_laterFailure = std::move(sink); }
    // Told, once per hold, when another program's hold on the file has kept
    // changes waiting longer than PrefFileWriter::kLongHold; the changes are
    // kept and written once it lets go. The debug sink hears of it too.
    void setHeldBackSink(std::function<void(const QString&)> sink) { m_heldBack = std::move(sink); }

private:
    // Tells every store of this process on the file at `path` an outcome of its writer.
    static void tellStores(const QString& path, PrefFileWriter::Outcome outcome);
    // Syncs and waits for the writes to end within what is left of
    // kFinishWait; the reason, told to the debug sink, when they could not
    // end in it, once.
    QString finishWrites();
    void laterWritten(bool written);
    // Tells the held-back and debug sinks that changes wait long for another program's hold.
    void laterHeldBack();
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
    std::function<void(const QString&)> m_heldBack;
    QTimer m_laterSync;
    std::shared_ptr<PrefFileWriter> m_writer;
    bool m_written = true;
    // Set when a wait for the last writes ran out: a later wait has only
    // what is left, and tells nothing new.
    std::optional<QDeadlineTimer> m_finishDeadline;
    mutable QSet<QString> m_reportedKeys;
};
