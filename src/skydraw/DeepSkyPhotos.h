#pragma once

#include <QCache>
#include <QImage>
#include <QString>
#include <QStringView>

struct deepSky;

// The deep-sky photographs of the chart: JPEG files named after the object
// (its catalogue designation, Messier designation or common name, with
// ".jpg"), looked for in the user's photo folder and then in the shipped
// one. Decoded photographs are kept while there is room, so that a redraw
// does not read them again.
class DeepSkyPhotos {
public:
    // Both folders end in "/".
    DeepSkyPhotos(QString userPhotoDirectory, QString stockPhotoDirectory);

    // The first photograph found for the object, or a null image.
    QImage photoFor(const deepSky& object);

    // Whether catalogue text may name a file: not empty or blank, and
    // neither a folder separator nor a step up that would leave the folder.
    static bool isSafeFileName(QStringView name);

private:
    QImage load(const QString& path);

    QString m_userDirectory;
    QString m_stockDirectory;
    QCache<QString, QImage> m_cache;
};
