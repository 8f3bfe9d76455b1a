#pragma once

#include <QByteArray>
#include <QString>

// The name an online lookup asks for, and the two places it goes: the
// request's query and the cache file's name.
namespace LookupName {

inline constexpr const char* kCacheSuffix = ".smbd";

// The typed name without its blanks, upper-cased: M 31, m31 and M31 give M31.
QString simName(const QString& name);

// The cache file's stem: letters, digits, "+", "-", "." and "_" as they are,
// every other byte of the UTF-8 text and a leading "." as %XX, so the name can
// neither leave the folder nor clash with another (M31 stays M31, A/B becomes
// A%2FB).
QString cacheStem(const QString& simName);

// The name percent-encoded as a query value.
QByteArray queryValue(const QString& simName);

}  // namespace LookupName
