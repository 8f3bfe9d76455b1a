#pragma once

#include <QString>

class QImage;

// The floating panel that shows a photograph the user opened.
class PhotoPanel {
public:
    virtual ~PhotoPanel() = default;
    // Sized to the image, titled, shown in front (or redrawn when it is).
    virtual void showPhoto(const QImage& image, const QString& title) = 0;
};
