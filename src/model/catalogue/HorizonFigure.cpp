#include "model/catalogue/HorizonFigure.h"

#include "model/catalogue/SourceText.h"
#include "model/UnitVector.h"
#include "platform/NumberReader.h"

#include <algorithm>
#include <vector>

std::optional<QPainterPath> HorizonFigure::fromText(const QString& path)
{
    SourceText text;
    if (!text.read(path))
        return std::nullopt;
    const long long count = text.declaredCount();
    if (count <= 9)
        return std::nullopt;
    const std::size_t present = std::min(std::size_t(count), text.recordLineCount());
    QPainterPath figure;
    figure.moveTo(0.0, 0.0);
    float azimuth = 0.0f;
    std::vector<std::string_view> fields;
    for (std::size_t i = 0; i < present; ++i) {
        text.splitRecord(i, fields);
        if (fields.size() != 2)
            break;
        azimuth = float(NumberReader::readDouble(fields[0]));
        const auto altitude = float(NumberReader::readDouble(fields[1]));
        if (azimuth >= 360.0f)
            azimuth -= 360.0f;
        figure.lineTo(azimuth * kDegToRad, altitude * kDegToRad);
    }
    figure.lineTo(azimuth * kDegToRad, 0.0);
    figure.closeSubpath();
    return figure;
}

QPainterPath HorizonFigure::fromPhotoProfile(std::span<const std::uint16_t, kProfileSteps> profile)
{
    constexpr double kAzimuthStep = 360.0 / kProfileSteps;  // degrees a step
    constexpr double kAltitudeUnit = 90.0 / 512.0;          // degrees a profile unit
    QPainterPath figure;
    figure.moveTo(0.0, 0.0);
    for (int i = 0; i < kProfileSteps; ++i) {
        figure.lineTo(i * kAzimuthStep * kDegToRad,
                      (512 - int(profile[std::size_t(i)])) * kAltitudeUnit * kDegToRad);
    }
    figure.lineTo((kProfileSteps - 1) * kAzimuthStep * kDegToRad, 0.0);
    figure.closeSubpath();
    return figure;
}
