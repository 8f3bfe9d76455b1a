#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct AllSkyFrame;

// An all-sky image as a FITS file: one unsigned 16-bit image (BITPIX 16,
// BZERO 32768, so each pixel p is stored as p XOR 0x8000, most significant
// byte first) in the stored row order, with the camera's keywords, made in
// memory by cfitsio and padded to whole 2880-byte blocks.
class AllSkyFitsFile {
public:
    // What the header names beside the frame's own values.
    struct Names {
        QString ccdFileName;  // CCDFNAME: the base name with its number
        QString program;      // PROGRAM: "Norvane Pro" and the version
        QString instrument;   // INSTRUME: "SBIG AllSky (firmware)"
    };

    // Characters of a string value that fit one 80-byte card.
    static constexpr int kMaxValueLength = 68;

    // The whole file; none when cfitsio refuses (a frame whose pixels do not
    // fill its size, a mode that is not saved).
    static std::optional<QByteArray> encode(const AllSkyFrame& frame, const Names& names);

    // `text` as printable ASCII cut so that, quotes doubled, it fits one card.
    static QByteArray oneCardValue(const QString& text);
    // "1X1", "Crop", "2X2"; empty for a mode that is not saved.
    static QString modeName(quint8 mode);
    // "Dark", "Light", "Auto".
    static QString typeName(quint8 type);
};
