#include "camera/canon/CanonTables.h"

#include <QRegularExpression>

#include <array>
#include <initializer_list>

namespace CanonTables {

namespace {

constexpr std::array<Exposure, kExposureCount> kExposures{{
    {"1 Hr", 3540, 0x0C},     {"30 min", 1800, 0x0C},     {"20 min", 1200, 0x0C},   {"15 min", 900, 0x0C},
    {"10 min", 600, 0x0C},    {"8 min", 480, 0x0C},       {"6 min", 360, 0x0C},     {"5 min", 300, 0x0C},
    {"4 min", 240, 0x0C},     {"3.5 min", 210, 0x0C},     {"3 min", 180, 0x0C},     {"2.5 min", 150, 0x0C},
    {"2 min", 120, 0x0C},     {"1.5 min", 90, 0x0C},      {"1 min", 60, 0x0C},      {"45 sec", 45, 0x0C},
    {"30 sec", 30, 0x10},     {"20 sec", 20, 0x14},       {"10 sec", 10, 0x1C},     {"5 sec", 5, 0x25},
    {"4 sec", 4, 0x28},       {"3 sec", 3, 0x2C},         {"2 sec", 2, 0x30},       {"1 sec", 1, 0x38},
    {"1/2 sec", 0.5, 0x40},   {"1/4 sec", 0.25, 0x48},    {"1/8 sec", 0.125, 0x50}, {"1/25 sec", 0.04, 0x5D},
    {"1/60 sec", 0.017, 0x68}, {"1/125 sec", 0.008, 0x70}, {"1/200 sec", 0.005, 0x75}, {"1/400 sec", 0.0025, 0x7D},
    {"1/800 sec", 0.00125, 0x85},
}};

struct ISOEntry {
    std::uint32_t code;
    std::uint32_t iso;
};
constexpr std::array<ISOEntry, 25> kISO{{
    {0x28, 6},     {0x30, 12},    {0x38, 25},    {0x40, 50},    {0x48, 100},  {0x4B, 125},   {0x4D, 160},
    {0x50, 200},   {0x53, 250},   {0x55, 320},   {0x58, 400},   {0x5B, 500},  {0x5D, 640},   {0x60, 800},
    {0x63, 1000},  {0x65, 1250},  {0x68, 1600},  {0x6B, 2000},  {0x6D, 2500}, {0x70, 3200},  {0x73, 4000},
    {0x75, 5000},  {0x78, 6400},  {0x80, 12800}, {0x88, 25600},
}};

struct ModelEntry {
    std::initializer_list<const char*> names;
    double width;
    double height;
    Family family;
};

// In the order tested; the first name found in the camera's name wins.
const std::array<ModelEntry, 21>& models()
{
    static const std::array<ModelEntry, 21> table{{
        {{"1D Mark IV"}, 4896, 3264, Family::None},
        {{"1Ds Mark III"}, 5616, 3744, Family::None},
        {{"1D Mark III"}, 3888, 2592, Family::None},
        {{"7D"}, 5184, 3456, Family::Is7D},
        {{"40D"}, 3888, 2592, Family::None},
        {{"5D Mark III"}, 5760, 3840, Family::Is60D},
        {{"5D Mark II"}, 5616, 3744, Family::Is60D},
        {{"50D"}, 4752, 3168, Family::None},
        {{"XSi", "450D"}, 4272, 2848, Family::None},
        {{"XS", "1000D"}, 3888, 2592, Family::None},
        {{"T1i"}, 4752, 3168, Family::IsT1i},
        {{"500D"}, 4752, 3168, Family::None},
        {{"60D", "60Da", "550D", "T2i"}, 5184, 3456, Family::None},
        {{"T3i"}, 5184, 3456, Family::None},
        {{"T3"}, 4272, 2848, Family::None},
        {{"1100D"}, 4272, 2848, Family::IsT1i},
        {{"600D"}, 5184, 3456, Family::IsT1i},
        {{"1D X", "T4i", "650D"}, 5184, 3456, Family::None},
        {{"6D"}, 5472, 3648, Family::None},
        {{"1D C"}, 5208, 3477, Family::None},
        {{"700D", "T5i", "100D", "SL1", "T5", "1200D", "M"}, 5184, 3456, Family::None},
    }};
    return table;
}

// A model number is not taken from the middle of a longer one ("550D" is no
// "50D"), and a single letter such as "M" would be found in any "Mark": it
// must stand as a word of its own ("EOS M").
bool nameHolds(const QString& name, const char* test)
{
    const QString needle = QRegularExpression::escape(QString::fromLatin1(test));
    const QString after = needle.size() == 1 ? QStringLiteral("(?![0-9A-Za-z])") : QString();
    const QRegularExpression pattern("(?<![0-9A-Za-z])" + needle + after, QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

bool nameHoldsAny(const QString& name, std::initializer_list<const char*> tests)
{
    for (const char* test : tests)
        if (nameHolds(name, test))
            return true;
    return false;
}

}  // namespace

const Exposure& exposure(int index)
{
    return kExposures.at(static_cast<std::size_t>(index));
}

ISOChoice isoChoice(std::uint32_t code)
{
    if (code == 0xFFFFFFFF)
        return {QStringLiteral("Unknown"), 0, true};
    for (const ISOEntry& entry : kISO)
        if (entry.code == code)
            return {QString::number(entry.iso), entry.iso, true};
    return {QString::asprintf("Code 0x%02X", code), 0, false};
}

std::optional<std::uint32_t> isoCode(const QString& title)
{
    for (const ISOEntry& entry : kISO)
        if (QString::number(entry.iso) == title)
            return entry.code;
    return std::nullopt;
}

Model modelForName(const QString& name)
{
    for (const ModelEntry& entry : models())
        if (nameHoldsAny(name, entry.names))
            return {entry.width, entry.height, entry.family, true};
    return {};
}

Family familyForName(const QString& name)
{
    if (nameHolds(name, "7D"))
        return Family::Is7D;
    if (nameHoldsAny(name, {"5D Mark II", "5D Mark III", "6D", "60D"}))
        return Family::Is60D;
    if (nameHoldsAny(name, {"600D", "1100D", "T1i"}))
        return Family::IsT1i;
    return Family::None;
}

QString startErrorMessage(std::uint32_t code)
{
    switch (code) {
    case 0x02: return QStringLiteral("The problem is probably a configuration mismatch.");
    case 0x07: return QStringLiteral("Fucntion not supported.");
    case 0x60: return QStringLiteral("Invalid parameter error.");
    case 0x81: return QStringLiteral("Camera Busy error.");
    case 0x84: return QStringLiteral("The memory is full.");
    case 0x8D01: return QStringLiteral("Auto focus operation invalid.");
    case 0x8D07: return QStringLiteral("Memory card error.");
    default: return QStringLiteral("Please contact Telvisk stating the error code.");
    }
}

std::optional<double> delaySeconds(int item)
{
    static constexpr std::array<double, 14> kDelays{0, 5, 10, 15, 20, 30, 45, 60, 300, 600, 1200, 1800, 2700, 3600};
    if (item < 0 || item >= static_cast<int>(kDelays.size()))
        return std::nullopt;
    return kDelays[static_cast<std::size_t>(item)];
}

std::optional<std::uint32_t> exposureCount(int item)
{
    static constexpr std::array<std::uint32_t, 16> kCounts{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 30, 50, kContinuous, 0};
    if (item < 0 || item >= static_cast<int>(kCounts.size()))
        return std::nullopt;
    return kCounts[static_cast<std::size_t>(item)];
}

}  // namespace CanonTables
