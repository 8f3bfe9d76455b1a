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

// The configuration name in the text of a property-change event:
// 'PTP Property d102 changed, "shutterspeed" to "30"' or, from versions
// that do not name it, 'PTP Property d103 changed' -> "iso"; empty for
// other texts and for properties the Canon controller does not follow.
QString changedConfig(const QString& eventText);

// The Canon property whose handling a changed setting needs: ISO, white
// balance and the shutter speed, which a mode-dial change also reaches.
std::optional<std::uint32_t> changedProperty(const QString& config);

}  // namespace Gphoto2Values
