#include "mount/HexDigits.h"

std::optional<quint8> HexDigits::ASCIIToHex(char digit)
{
    if (digit >= '0' && digit <= '9')
        return quint8(digit - '0');
    if (digit >= 'A' && digit <= 'F')
        return quint8(digit - 'A' + 10);
    if (digit >= 'a' && digit <= 'f')
        return quint8(digit - 'a' + 10);
    return std::nullopt;
}

char HexDigits::HexToASCII(quint8 byte, bool high)
{
    const int nibble = high ? byte >> 4 : byte & 0x0F;
    return char(nibble < 10 ? '0' + nibble : 'A' + nibble - 10);
}
