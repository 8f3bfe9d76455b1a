#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The texts of gphoto2's configuration choices, as the Canon property codes.
namespace Gphoto2Values {

// "bulb", "30", "1/800", "0.5" -> the Tv code; none for a speed the
// exposure table does not hold.
std::optional<std::uint32_t> tvCode(const QString& text);
// The choice among `choices` that stands for a Tv code; empty when none.
QString tvChoice(std::uint32_t code, const QStringList& choices);

// "800" -> 0x60; "Auto" -> 0; none for other texts.
std::optional<std::uint32_t> isoCode(const QString& text);

// "Manual" -> 3, "Bulb" -> 4, "P" 0, "TV" 1, "AV" 2; none for the rest.
std::optional<std::uint32_t> aeMode(const QString& text);

// "50%" -> 50, "Full" -> 100, "AC" -> the AC value; none otherwise.
std::optional<std::uint32_t> batteryLevel(const QString& text);

// The first choice holding `part` (case ignored); empty when none.
QString choiceHolding(const QStringList& choices, const QString& part);

}  // namespace Gphoto2Values
