#include "model/settings/PrefStore.h"

#include "model/settings/PrefFileFormat.h"
#include "model/settings/PrefForms.h"
#include "model/settings/PrefMigration.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

const QString kOrganisation = QStringLiteral("Norvane");
const QString kApplication = QStringLiteral("Norvane Pro");
const QString kEarlierApplication = QStringLiteral("Norvane 6");

QString settingsFile(const QString& application) { return PrefFileFormat::userFileName(kOrganisation, application); }

// The stores of this process, for syncAll.
QList<PrefStore*>& liveStores()
{
    static QList<PrefStore*> stores;
    return stores;
}

// At most `size` bytes of `bytes`; what they do not cover is zero.
void copyFilled(const QByteArray& bytes, void* destination, std::size_t size)
{
    const std::size_t copied = std::min(size, std::size_t(bytes.size()));
    std::memcpy(destination, bytes.constData(), copied);
    std::memset(static_cast<char*>(destination) + copied, 0, size - copied);
}

}  // namespace

// Each name costs a settings object of its own: asked once.
PrefStore::PrefStore(const QDateTime& now) : m_path(fileName())
{
    PrefMigration::moveEarlierEdition(earlierEditionFileName(), m_path);
    // A store of this process that goes on while this one opens (a settings
    // object made again) hands its changes first, and this one writes after
    // them through the same writer.
    syncAll(m_path);
    for (const PrefStore* store : liveStores()) {
        if (store->m_path == m_path)
            m_writer = store->m_writer;
    }
    if (!m_writer)
        m_writer = std::make_shared<PrefFileWriter>(
            m_path, [path = m_path](PrefFileWriter::Outcome outcome) { tellStores(path, outcome); });
    liveStores().append(this);
    // Taken before the file is read, so that a write ending meanwhile is in
    // one or the other.
    const PrefFileFormat::Changes pending = m_writer->pending();
    // A file that cannot be read reads as the defaults; each write reads it
    // again and leaves it as it is when it still cannot.
    m_values = PrefFileFormat::readSettings(m_path).value_or(QSettings::SettingsMap());
    PrefFileFormat::apply(m_values, pending);
    for (PrefDefault& entry : PrefDefaults::registration(now))
        m_defaults.insert(entry.key, std::move(entry));
    m_laterSync.setSingleShot(true);
    m_laterSync.setInterval(0);
    m_laterSync.callOnTimeout([this] { handChanges(); });
}

PrefStore::~PrefStore()
{
    // No alert as the program ends: the quit told the user already.
    m_laterFailure = nullptr;
    m_heldBack = nullptr;
    finishWrites();
    liveStores().removeOne(this);
}

void PrefStore::syncAll(const QString& path)
{
    std::shared_ptr<PrefFileWriter> writer;
    for (PrefStore* store : liveStores()) {
        if (store->m_path == path) {
            store->sync();
            writer = store->m_writer;
        }
    }
    if (writer)
        writer->settle();
}

void PrefStore::tellStores(const QString& path, PrefFileWriter::Outcome outcome)
{
    const QList<PrefStore*> stores = liveStores();
    for (PrefStore* store : stores) {
        if (store->m_path != path)
            continue;
        if (outcome == PrefFileWriter::Outcome::HeldBack)
            store->laterHeldBack();
        else
            store->laterWritten(outcome == PrefFileWriter::Outcome::Written);
    }
}

QString PrefStore::fileName() { return settingsFile(kApplication); }

QString PrefStore::earlierEditionFileName() { return settingsFile(kEarlierApplication); }

const PrefDefault* PrefStore::registered(const QString& key) const
{
    const auto it = m_defaults.constFind(key);
    return it == m_defaults.cend() ? nullptr : &it.value();
}

QVariant PrefStore::value(const QString& key) const
{
    const auto stored = m_values.constFind(key);
    if (stored != m_values.cend())
        return stored.value();
    const PrefDefault* entry = registered(key);
    return entry ? entry->value : QVariant();
}

QString PrefStore::registeredText(const QString& key) const
{
    const PrefDefault* entry = registered(key);
    return entry ? entry->value.toString() : QString();
}

bool PrefStore::readBool(const QString& key) const { return PrefForms::toBool(value(key)); }

qint64 PrefStore::readInteger(const QString& key) const
{
    const qint64 read = PrefForms::toInteger(value(key));
    const PrefDefault* entry = registered(key);
    if (entry == nullptr || !entry->range || entry->range->holds(double(read)))
        return read;
    reportDefaultRead(key);
    return PrefForms::toInteger(entry->value);
}

float PrefStore::readFloat(const QString& key) const
{
    // 1e300 is finite as a double but not as the float the key holds.
    const float read = float(PrefForms::toDouble(value(key)));
    return float(checkedNumber(key, std::isfinite(read) ? double(read) : qQNaN()));
}

double PrefStore::readDouble(const QString& key) const { return checkedNumber(key, PrefForms::toDouble(value(key))); }

double PrefStore::checkedNumber(const QString& key, double read) const
{
    const PrefDefault* entry = registered(key);
    if (std::isfinite(read) && (entry == nullptr || !entry->range || entry->range->holds(read)))
        return read;
    reportDefaultRead(key);
    return entry ? PrefForms::toDouble(entry->value) : 0.0;
}

void PrefStore::reportDefaultRead(const QString& key) const
{
    if (m_reportedKeys.contains(key))
        return;
    m_reportedKeys.insert(key);
    if (m_debug)
        m_debug(QStringLiteral("The settings file holds a value of %1 out of its range; the default is used.").arg(key));
}

QString PrefStore::readString(const QString& key) const { return value(key).toString(); }

QColor PrefStore::readColor(const QString& key) const
{
    if (const auto color = PrefForms::colorFromText(value(key).toString()))
        return *color;
    return PrefForms::colorFromText(registeredText(key)).value_or(QColor());
}

QFont PrefStore::readFont(const QString& key) const
{
    if (const auto font = PrefForms::fontFromText(value(key).toString()))
        return *font;
    return PrefForms::fontFromText(registeredText(key)).value_or(QFont());
}

QDateTime PrefStore::readDate(const QString& key) const
{
    if (const auto date = PrefForms::dateFromText(value(key).toString()))
        return *date;
    return PrefForms::dateFromText(registeredText(key)).value_or(QDateTime());
}

QStringList PrefStore::readStringArray(const QString& key) const
{
    if (const auto strings = PrefForms::stringArrayFromText(value(key).toString()))
        return *strings;
    return PrefForms::stringArrayFromText(registeredText(key)).value_or(QStringList());
}

QByteArray PrefStore::readData(const QString& key) const { return value(key).toByteArray(); }

void PrefStore::readBlock(const QString& key, void* destination, std::size_t size) const
{
    copyFilled(readData(key), destination, size);
}

void PrefStore::readRegisteredBlock(const QString& key, void* destination, std::size_t size) const
{
    const PrefDefault* entry = registered(key);
    copyFilled(entry ? entry->value.toByteArray() : QByteArray(), destination, size);
}

void PrefStore::put(const QString& key, const QVariant& value)
{
    // Written also when this copy read or wrote the same: another copy may
    // have changed the file since. The puts of one moment make one write.
    m_values.insert(key, value);
    m_changes.insert(key, value);
    m_laterSync.start();
}

void PrefStore::writeBool(const QString& key, bool value)
{
    put(key, PrefForms::boolText(value));
}

void PrefStore::writeInteger(const QString& key, qint64 value)
{
    put(key, PrefForms::integerText(value));
}

void PrefStore::writeFloat(const QString& key, float value)
{
    put(key, PrefForms::floatText(value));
}

void PrefStore::writeDouble(const QString& key, double value)
{
    put(key, PrefForms::doubleText(value));
}

void PrefStore::writeString(const QString& key, const QString& value) { put(key, value); }

void PrefStore::writeColor(const QString& key, const QColor& value)
{
    put(key, PrefForms::colorText(value));
}

void PrefStore::writeFont(const QString& key, const QFont& value)
{
    put(key, PrefForms::fontText(value));
}

void PrefStore::writeDate(const QString& key, const QDateTime& value)
{
    put(key, PrefForms::dateText(value));
}

void PrefStore::writeStringArray(const QString& key, const QStringList& value)
{
    put(key, PrefForms::stringArrayText(value));
}

void PrefStore::writeData(const QString& key, const QByteArray& value) { put(key, value); }

void PrefStore::writeBlock(const QString& key, const void* source, std::size_t size)
{
    writeData(key, QByteArray(static_cast<const char*>(source), qsizetype(size)));
}

bool PrefStore::holds(const QString& key) const { return m_values.contains(key); }

void PrefStore::remove(const QString& key)
{
    // Removed from the file also when this copy did not see it there:
    // another copy may have stored it since.
    m_values.remove(key);
    m_changes.insert(key, std::nullopt);
    m_laterSync.start();
}

void PrefStore::sync()
{
    m_laterSync.stop();
    handChanges();
}

QString PrefStore::finishWrites()
{
    sync();
    const QDeadlineTimer deadline = m_finishDeadline.value_or(QDeadlineTimer(kFinishWait));
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline.remainingTimeAsDuration());
    if (m_writer->finish(left)) {
        m_finishDeadline.reset();
        return {};
    }
    if (m_finishDeadline)
        return {};
    m_finishDeadline = deadline;
    // The writer tries on until it goes with the program, so this is what becomes of the changes.
    const QString reason = QStringLiteral("The last changes could not reach %1 within %2 seconds; another program may "
                                          "be holding it. They are lost unless it lets go before the program ends.")
                               .arg(m_path)
                               .arg(std::chrono::duration_cast<std::chrono::seconds>(kFinishWait).count());
    if (m_debug)
        m_debug(reason);
    return reason;
}

void PrefStore::finishAtQuit()
{
    // A hold told now would promise a write the ending program may never make.
    m_heldBack = nullptr;
    const QString unfinished = finishWrites();
    // Taken before it is told: what the writer tells while the user reads the
    // quit's word, or after it, would follow the last word.
    const auto tellUser = std::exchange(m_laterFailure, nullptr);
    if (!unfinished.isEmpty() && tellUser)
        tellUser(unfinished);
}

void PrefStore::noteWritten(bool written)
{
    if (!written && m_written && m_debug)
        m_debug(QStringLiteral("Can not write the settings file %1; it keeps its earlier content.")
                    .arg(m_path));
    m_written = written;
}

void PrefStore::handChanges() { m_writer->write(std::exchange(m_changes, {})); }

void PrefStore::laterWritten(bool written)
{
    // A failure already told (by an earlier write) is not told again until
    // a write has gone through.
    const bool writtenBefore = m_written;
    noteWritten(written);
    if (!written && writtenBefore && m_laterFailure)
        m_laterFailure(writeError());
}

void PrefStore::laterHeldBack()
{
    const QString held = QStringLiteral("Another program has held %1 for more than %2 seconds. Your changes are kept "
                                        "and will be written once it lets go.")
                             .arg(m_path)
                             .arg(PrefFileWriter::kLongHold.count());
    if (m_debug)
        m_debug(held);
    if (m_heldBack)
        m_heldBack(held);
}

bool PrefStore::written() const { return m_written; }

QString PrefStore::writeError() const
{
    if (m_written)
        return {};
    const QString reason = PrefFileFormat::lastWriteError(m_path);
    return reason.isEmpty() ? QStringLiteral("the file could not be written") : reason;
}
