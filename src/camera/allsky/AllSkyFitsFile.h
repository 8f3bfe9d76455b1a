#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct AllSkyFrame;

// An all-sky image as a FITS file: one unsigned 16-bit image (BITPIX 16,
// BZERO 32768, so each pixel p is stored as p XOR 0x8000, most significant
// byte first) in the stored row order, with the camera's keywords, made in
// memory by cfitsio and padded to whole 2880-byte blocks, in the image file
// module (AllSkyFitsWriter), loaded with the first file.
class AllSkyFitsFile {
public:
    // What the header names beside the frame's own values.
    struct Names {
        QString ccdFileName;  // CCDFNAME: the base name with its number
        QString program;      // PROGRAM: "Norvane Pro" and the version
        QString instrument;   // INSTRUME: "SBIG AllSky (firmware)"
    };

    // The whole file; none when cfitsio refuses (a frame whose pixels do not
    // fill its size, a mode that is not saved) or the module is missing
    // (the user told).
    static std::optional<QByteArray> encode(const AllSkyFrame& frame, const Names& names);
};
