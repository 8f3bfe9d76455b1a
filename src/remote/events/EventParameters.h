#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

// Reading the parameters of an incoming event. A parameter arrives as text
// (a string) or as raw bytes read as Mac OS Roman; numbers come as their
// text, or as a number from clients that send one.
namespace EventParameters {

// The parameter's value as a number; 0 when absent or not a number.
double number(const QVariantMap& parameters, const char* key);

// The parameter's text as it fits a buffer of `bufferSize` bytes with its
// terminating NUL: up to the first NUL and at most bufferSize - 1
// characters. Absent: nothing.
std::optional<QString> text(const QVariantMap& parameters, const char* key, int bufferSize);

// `text` cut to at most `bytes` bytes of UTF-8, never inside a character;
// half a surrogate pair becomes U+FFFD.
QString utf8Prefix(const QString& text, int bytes);

// Characters outside ASCII become '?'.
QString ascii(const QString& text);

}  // namespace EventParameters
