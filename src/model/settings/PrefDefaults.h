#pragma once

#include "model/records/eyepiece.h"
#include "model/records/scope.h"
#include "model/records/site.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <optional>
#include <vector>

// How the settings object reads a key.
enum class PrefType { Bool, Integer, Float, Double, String, Color, Font, Date, StringArray, Data };

// The values a number setting can take, both ends included.
struct PrefRange {
    double least;
    double most;

    bool holds(double value) const { return value >= least && value <= most; }
};

// One registered key: its type and its default in the form the store holds
// it (see PrefForms); raw blocks as bytes. Number defaults registered as
// numbers rather than text (the dome settings, the bottom-panel slots, the
// Gemini rate) are held as numbers. A stored number outside `range` (or not
// finite) reads as the default.
struct PrefDefault {
    QString key;
    PrefType type;
    QVariant value;
    std::optional<PrefRange> range = std::nullopt;
};

// The registration table: every key of the settings with its default. It is
// built at each launch and never written to disk; a key the user never stored
// reads its registered default.
namespace PrefDefaults {

// All registered keys; "StartupTimePref" is 22:00 on the day of `now`, in its zone.
std::vector<PrefDefault> registration(const QDateTime& now);

// The registered record blocks and lists, as values.
std::array<site, 5> sites();
std::array<scope, 5> scopes();
std::array<eyepiece, 10> eyepieces();
// The name of a site slot that holds no site.
inline const QString kUndefinedSiteName = QStringLiteral("Undefined");
QStringList siteNames();
QStringList scopeNames();
// 89 "NO" for the mythology figures, then "YES" for all figures.
QStringList mythArray();
QDateTime startupTime(const QDateTime& now);

// A list as long as its default: missing entries are taken from the default,
// surplus ones dropped, so every slot has its entry.
QStringList fitted(QStringList list, const QStringList& defaults);

// The most characters a site or telescope name keeps: the menus that list
// them stay narrow.
constexpr qsizetype kMostNameLength = 63;
// `name` cut to kMostNameLength characters, never inside a surrogate pair.
QString boundedName(const QString& name);
// Each name of `names` bounded.
QStringList boundedNames(QStringList names);

}  // namespace PrefDefaults
