#include "platform/DeviceModule.h"

#include "platform/AlertPanel.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <mutex>
#include <set>
#include <string>

#include <dlfcn.h>

namespace {

// Never closed: objects and threads a module made may live until the program ends.
struct Loaded {
    void* handle = nullptr;
    QString error;
};

std::mutex g_lock;
std::map<std::string, Loaded> g_modules;  // guarded by g_lock, by module name
std::set<QString> g_alerted;              // guarded by g_lock, the features told of

QString fileName(const char* module)
{
    return QString("lib%1.so").arg(QLatin1String(module));
}

Loaded load(const char* module)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString file = fileName(module);
    const QStringList folders = {
        exeDir,
        QDir::cleanPath(exeDir + "/../" NORVANE_INSTALL_LIBDIR "/norvane-pro"),
    };
    QString error = QString("The file %1 is not installed (looked for in %2).").arg(file, folders.join(" and "));
    for (const QString& folder : folders) {
        const QString candidate = folder + "/" + file;
        if (!QFileInfo::exists(candidate))
            continue;
        // Every symbol at once, so a broken module fails here and not in a device call.
        if (void* handle = dlopen(QFile::encodeName(candidate).constData(), RTLD_NOW | RTLD_LOCAL))
            return {handle, {}};
        error = QString("The file %1 cannot be loaded: %2").arg(file, QString::fromLocal8Bit(dlerror()));
    }
    return {nullptr, error};
}

}  // namespace

namespace DeviceModule {

Entry find(const char* module, const char* symbol)
{
    const std::lock_guard lock(g_lock);
    auto found = g_modules.find(module);
    if (found == g_modules.end())
        found = g_modules.emplace(module, load(module)).first;
    const Loaded& loaded = found->second;
    if (!loaded.handle)
        return {nullptr, loaded.error};
    void* address = dlsym(loaded.handle, symbol);
    if (!address)
        return {nullptr, QString("The file %1 has no entry %2: it belongs to another version of the program.")
                             .arg(fileName(module), QLatin1String(symbol))};
    return {address, {}};
}

QString missingTitle(const QString& feature)
{
    return QString("The support for %1 is missing.").arg(feature);
}

Entry findOrWarn(const char* module, const char* symbol, const QString& feature)
{
    Entry entry = find(module, symbol);
    if (entry.address)
        return entry;
    const QString title = missingTitle(feature);
    qWarning().noquote() << title << entry.error;
    bool isFirst = false;
    {
        const std::lock_guard lock(g_lock);
        isFirst = g_alerted.insert(feature).second;
    }
    // Posted: device workers ask from their own threads, and a caller may be
    // in the middle of an exchange that must not wait for the user.
    if (isFirst)
        AlertPanel::postAlert(title, entry.error);
    entry.error = QStringLiteral("%1 %2").arg(title, entry.error);
    return entry;
}

}  // namespace DeviceModule
