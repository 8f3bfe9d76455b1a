#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The fixed choice lists and camera tables of the Canon controller.
namespace CanonTables {

inline constexpr int kExposureCount = 33;
inline constexpr int kFirstShutterSpeed = 16;  // items below are bulb exposures
inline constexpr double kMaxBulbSeconds = 3540.0;
inline constexpr double kMinExposureSeconds = 0.00125;
inline constexpr int kMaxISOChoices = 26;

struct Exposure {
    const char* title;
    double seconds;
    std::uint32_t tvCode;
};
const Exposure& exposure(int index);

struct ISOChoice {
    QString title;
    std::uint32_t iso = 0;  // 0 when the code is not in the table
    bool known = false;
};
ISOChoice isoChoice(std::uint32_t code);
// The code whose title is `title` ("800"); none when the table has none.
std::optional<std::uint32_t> isoCode(const QString& title);

enum class Family { None, Is7D, Is60D, IsT1i };
struct Model {
    double width = 3888;
    double height = 2592;
    Family family = Family::None;
    bool matched = false;
};
// The size and family by the camera's name.
Model modelForName(const QString& name);
// Only the family, for a camera that told its own image size.
Family familyForName(const QString& name);

// The message under "Start exposure error: 0x%04X." for a code.
QString startErrorMessage(std::uint32_t code);

// Delay pop-up item -> seconds; none for an item outside the list.
std::optional<double> delaySeconds(int item);
inline constexpr std::uint32_t kContinuous = 0xFFFFFFFF;
// Count pop-up item -> exposures wanted; none for an item outside the list.
std::optional<std::uint32_t> exposureCount(int item);
inline constexpr int kContinuousItem = 14;

// The expose button's titles and the blank text of an empty field.
inline const QString kExposeTitle = QStringLiteral("Expose");
inline const QString kAbortTitle = QStringLiteral("Abort");
inline const QString kStartingTitle = QStringLiteral("Starting");
inline const QString kBlankText = QStringLiteral(" ");
// What the DSUSB shutter's open or close reports when it failed.
inline constexpr std::uint32_t kDSUSBFailed = 0x8B;

}  // namespace CanonTables
