#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The Gemini's native commands: numbered parameters in frames that end
// with a checksum byte and `#`.
namespace GeminiFrame {

// XOR of every byte from the leading `<` or `>` on, masked to 7 bits, plus
// 64: a byte from 64 to 191; 64 for no bytes.
char calcGeminiChecksum(QByteArrayView bytes);
// "<id:" + checksum + "#"; `id` three digits.
QByteArray get(int id);
// ">id:" + value + checksum + "#".
QByteArray set(int id, QByteArrayView value);

}  // namespace GeminiFrame
