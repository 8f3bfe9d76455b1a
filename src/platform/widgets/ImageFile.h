#pragma once

#include <QImage>
#include <QString>

// Image files read first as the format their name's suffix says ("png", "jpg"
// or "jpeg", ...): guessing from the bytes makes Qt load every image-format
// plugin it has, and their libraries, at the first image read. Only a file
// that does not read as its suffix says (a user's PNG named ".jpg") is then
// read as its bytes say, so that it still shows.
namespace ImageFile {

struct Read {
    QImage image;   // null when the file could not be read
    QString error;  // why not; empty when read
};

Read read(const QString& path);

// The image alone; null when it could not be read.
QImage image(const QString& path);

}  // namespace ImageFile
