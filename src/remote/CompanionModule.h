#pragma once

#include "remote/CompanionDiscovery.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QVariantMap>

#include <memory>
#include <optional>

// The companion server's property lists (libplist) and service discovery
// (the mDNS daemon's DNS-SD library) live in a module loaded when the
// server first runs (DeviceModule), so that a start with the server off, as
// it is by default, maps neither library.
namespace CompanionModule {

inline constexpr const char* kName = "norvane-companion";
inline constexpr const char* kCalls = "norvaneCompanionCalls";

struct Calls {
    QByteArray (*toXml)(const QVariantMap& dictionary);
    std::optional<QVariantMap> (*readDictionary)(QByteArrayView bytes);
    std::unique_ptr<CompanionDiscovery> (*createDiscovery)();
};
using GetCalls = const Calls*();

// The module's calls, loaded on the first ask; null, the user told once,
// when the module cannot be had. Thread-safe.
const Calls* calls();

}  // namespace CompanionModule
