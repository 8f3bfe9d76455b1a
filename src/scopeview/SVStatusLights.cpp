#include "scopeview/SVStatusLights.h"

#include "platform/widgets/ImageFile.h"

SVStatusLights SVStatusLights::load(const QString& resourcesFolder)
{
    const auto image = [&](const char* name) {
        return ImageFile::image(resourcesFolder + "/Buttons/" + QLatin1String(name));
    };
    return {image("RedButton.png"), image("GreenButton.png"), image("DarkGreenButton.png"),
            image("YellowButton.png"), image("clearButton.png")};
}
