#pragma once

#include <QImage>
#include <QString>

// Image files read as the format their name's suffix says ("png", "jpg" or
// "jpeg", ...), never guessed from their bytes: guessing makes Qt load every
// image-format plugin it has, and their libraries, at the first image read.
// A file whose bytes are not of its suffix's format reads as an error.
namespace ImageFile {

struct Read {
    QImage image;   // null when the file could not be read
    QString error;  // why not; empty when read
};

Read read(const QString& path);

// The image alone; null when it could not be read.
QImage image(const QString& path);

}  // namespace ImageFile
