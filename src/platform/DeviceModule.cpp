#include "platform/DeviceModule.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <mutex>
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

Loaded load(const char* module)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString file = QString("lib%1.so").arg(QLatin1String(module));
    const QStringList candidates = {
        exeDir + "/" + file,
        exeDir + "/../" NORVANE_INSTALL_LIBDIR "/norvane-pro/" + file,
    };
    QString error = QString("%1 is not installed").arg(file);
    for (const QString& candidate : candidates) {
        if (!QFileInfo::exists(candidate))
            continue;
        // Every symbol at once, so a broken module fails here and not in a device call.
        if (void* handle = dlopen(QFile::encodeName(candidate).constData(), RTLD_NOW | RTLD_LOCAL))
            return {handle, {}};
        error = QString::fromLocal8Bit(dlerror());
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
        return {nullptr, QString("%1 has no %2").arg(QLatin1String(module), QLatin1String(symbol))};
    return {address, {}};
}

Entry findOrWarn(const char* module, const char* symbol, const QString& failure)
{
    Entry entry = find(module, symbol);
    if (!entry.address) {
        entry.error = QStringLiteral("%1: %2").arg(failure, entry.error);
        qWarning().noquote() << entry.error;
    }
    return entry;
}

}  // namespace DeviceModule
