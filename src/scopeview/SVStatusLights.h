#pragma once

#include <QImage>
#include <QString>

// The mount status light's images, from the resources' "Buttons" folder.
// One that does not load stays null and shows as nothing.
struct SVStatusLights {
    QImage redButton;
    QImage greenButton;
    QImage darkGreenButton;
    QImage yellowButton;
    QImage clearButton;

    static SVStatusLights load(const QString& resourcesFolder);
};
