#pragma once

#include <QImage>
#include <QString>

#include <array>

// The solar-system plot's pictures, read once from the shipped resources
// folder: the Sun, the six planets drawn as images (Earth to Neptune) and the
// tile that fills the asteroid belt. A missing file leaves a null image,
// which the plot skips.
struct SSImages {
    static constexpr int kFirstPictured = 2;  // Earth
    static constexpr int kLastPictured = 7;   // Neptune

    QImage sun;
    std::array<QImage, kLastPictured - kFirstPictured + 1> planets;  // Earth .. Neptune
    QImage beltPattern;

    static SSImages load(const QString& resourcesFolder);
    // The picture of plot body k; null for the bodies drawn as discs.
    const QImage& planet(int k) const;
};
