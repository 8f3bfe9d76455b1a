#pragma once

#include <QtGlobal>

#include <optional>

// The hex digits of the mounts' and focusers' replies.
struct HexDigits {
    // "0".."9", "A".."F" and "a".."f" as 0..15; none for any other byte, so
    // that a caller refuses the reply rather than reading garbage as a value.
    static std::optional<quint8> ASCIIToHex(char digit);
    // The high nibble of `byte` when `high`, else the low one, as "0".."9" or "A".."F".
    static char HexToASCII(quint8 byte, bool high);
};
