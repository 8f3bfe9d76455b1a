#pragma once

#include "camera/allsky/AllSkyFitsFile.h"

// AllSkyFitsFile's file, made by cfitsio: the image file module's code
// (AllSkyFileModule).
class AllSkyFitsWriter {
public:
    // Characters of a string value that fit one 80-byte card.
    static constexpr int kMaxValueLength = 68;

    // As AllSkyFitsFile::encode.
    static std::optional<QByteArray> encode(const AllSkyFrame& frame, const AllSkyFitsFile::Names& names);

    // `text` as printable ASCII cut so that, quotes doubled, it fits one card.
    static QByteArray oneCardValue(const QString& text);
    // "1X1", "Crop", "2X2"; empty for a mode that is not saved.
    static QString modeName(quint8 mode);
    // "Dark", "Light", "Auto".
    static QString typeName(quint8 type);
};
