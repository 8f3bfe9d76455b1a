#include "solarsystem/window/SSImages.h"

#include "platform/widgets/ImageFile.h"

namespace {

constexpr const char* kSunFile = "/SSImages/SSSun.png";
constexpr std::array<const char*, 6> kPlanetFiles = {
    "/SSImages/SSEarth.png",  "/SSImages/SSMars.png",   "/SSImages/SSJupiter.png",
    "/SSImages/SSSaturn.png", "/SSImages/SSUranus.png", "/SSImages/SSNeptune.png"};
constexpr const char* kBeltFile = "/ImageF/BeltPattern.png";

const QImage kNoImage;

}  // namespace

SSImages SSImages::load(const QString& resourcesFolder)
{
    SSImages images;
    images.sun = ImageFile::image(resourcesFolder + QLatin1String(kSunFile));
    for (std::size_t k = 0; k < kPlanetFiles.size(); ++k)
        images.planets[k] = ImageFile::image(resourcesFolder + QLatin1String(kPlanetFiles[k]));
    images.beltPattern = ImageFile::image(resourcesFolder + QLatin1String(kBeltFile));
    return images;
}

const QImage& SSImages::planet(int k) const
{
    if (k < kFirstPictured || k > kLastPictured)
        return kNoImage;
    return planets[std::size_t(k - kFirstPictured)];
}
