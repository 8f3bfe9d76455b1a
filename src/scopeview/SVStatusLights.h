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

    // The light for the mount's state: clear without a mount, red while it
    // does not answer, yellow while it slews, else green.
    const QImage& forMount(bool isConnected, bool isNoResponse, bool isSlewing) const
    {
        if (!isConnected)
            return clearButton;
        if (isNoResponse)
            return redButton;
        return isSlewing ? yellowButton : greenButton;
    }
};
