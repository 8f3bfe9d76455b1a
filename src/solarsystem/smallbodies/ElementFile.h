#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>

// Reads an element file whole. The element formats are plain ASCII; a file
// that cannot be read, or holds a NUL or a byte above 127, gives nothing.
namespace ElementFile {

std::optional<QByteArray> readAscii(const QString& path);

bool isAscii(const QByteArray& bytes);
bool isAscii(std::string_view bytes);

}  // namespace ElementFile
