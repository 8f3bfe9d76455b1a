#include "model/settings/PrefStore.h"

#include "model/settings/PrefFileFormat.h"
#include "model/settings/PrefForms.h"
#include "model/settings/PrefMigration.h"

#include <QEvent>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const QString kOrganisation = QStringLiteral("Norvane");
const QString kApplication = QStringLiteral("Norvane Pro");
const QString kEarlierApplication = QStringLiteral("Norvane 6");

// Asked of a settings object of our own format: Qt shares one parsed copy of
// a file among all its settings objects, and one of Qt's INI format would
// write our pending changes through its unsafe path.
QString settingsFile(const QString& application)
{
    return QSettings(PrefFileFormat::format(), QSettings::UserScope, kOrganisation, application).fileName();
}

// Qt's own deferred sync of a changed settings object fails without a word
// (on a full disk its lock file cannot even be written); ours reports.
class OwnSyncOnly final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::UpdateRequest; }
};

// At most `size` bytes of `bytes`; what they do not cover is zero.
void copyFilled(const QByteArray& bytes, void* destination, std::size_t size)
{
    const std::size_t copied = std::min(size, std::size_t(bytes.size()));
    std::memcpy(destination, bytes.constData(), copied);
    std::memset(static_cast<char*>(destination) + copied, 0, size - copied);
}

}  // namespace

PrefStore::PrefStore(const QDateTime& now)
{
    // Each name costs a settings object of its own: asked once.
    const QString file = fileName();
    PrefMigration::moveEarlierEdition(earlierEditionFileName(), file);
    m_settings = std::make_unique<QSettings>(file, PrefFileFormat::format());
    for (PrefDefault& entry : PrefDefaults::registration(now))
        m_defaults.insert(entry.key, std::move(entry));
    m_ownSyncOnly = std::make_unique<OwnSyncOnly>();
    m_settings->installEventFilter(m_ownSyncOnly.get());
    m_laterSync.setSingleShot(true);
    m_laterSync.setInterval(0);
    m_laterSync.callOnTimeout([this] { syncLater(); });
    m_writer = std::make_unique<PrefFileWriter>(file, [this](bool written) { laterWritten(written); });
}

PrefStore::~PrefStore() { sync(); }

QString PrefStore::fileName() { return settingsFile(kApplication); }

QString PrefStore::earlierEditionFileName() { return settingsFile(kEarlierApplication); }

const PrefDefault* PrefStore::registered(const QString& key) const
{
    const auto it = m_defaults.constFind(key);
    return it == m_defaults.cend() ? nullptr : &it.value();
}

QVariant PrefStore::value(const QString& key) const
{
    if (m_settings->contains(key))
        return m_settings->value(key);
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
    // Every change saves the whole file: an unchanged value is not a change.
    if (m_settings->contains(key) && m_settings->value(key) == value)
        return;
    m_settings->setValue(key, value);
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

bool PrefStore::holds(const QString& key) const { return m_settings->contains(key); }

void PrefStore::remove(const QString& key)
{
    m_settings->remove(key);
    m_laterSync.start();
}

bool PrefStore::sync()
{
    // The write a moment ago, if one runs, goes first: this one is newer.
    m_writer->finish();
    const QString path = m_settings->fileName();
    const bool reportedBefore = m_settings->status() != QSettings::NoError;
    m_settings->sync();
    if (!reportedBefore && m_settings->status() != QSettings::NoError)
        PrefFileFormat::recordFailedWrite(path, QStringLiteral("there is no room for the new file"));
    noteWritten(PrefFileFormat::lastWriteSucceeded(path));
    return m_written;
}

void PrefStore::noteWritten(bool written)
{
    if (!written && m_written && m_debug)
        m_debug(QStringLiteral("Can not write the settings file %1; it keeps its earlier content.")
                    .arg(m_settings->fileName()));
    m_written = written;
}

void PrefStore::syncLater()
{
    QSettings::SettingsMap settings;
    for (const QString& key : m_settings->allKeys())
        settings.insert(key, m_settings->value(key));
    m_writer->write(std::move(settings));
}

void PrefStore::laterWritten(bool written)
{
    // A failure already told (by a save's own alert or an earlier later
    // write) is not told again until a write has gone through.
    const bool writtenBefore = m_written;
    noteWritten(written);
    if (!written && writtenBefore && m_laterFailure)
        m_laterFailure(writeError());
}

bool PrefStore::written() const { return m_written; }

QString PrefStore::writeError() const
{
    if (m_written)
        return {};
    const QString reason = PrefFileFormat::lastWriteError(m_settings->fileName());
    return reason.isEmpty() ? QStringLiteral("the file could not be written") : reason;
}
