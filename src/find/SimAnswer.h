#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// A name service's answer: the position and proper motion of the object, its
// catalogue number and magnitude. Two forms exist, each known by its marker:
// the resolver's ("%J ") and the database's plain-text one
// ("Coordinates(ICRS,ep=J2000,eq=2000): ").
struct SimAnswer {
    static constexpr float kNoMagnitude = -10.0f;

    double ra = 0.0;     // degrees J2000, 0 <= ra < 360
    double dec = 0.0;    // degrees J2000
    double pmRA = 0.0;   // milliarcseconds per year; 0 when not given
    double pmDec = 0.0;
    QString number = QStringLiteral(" ");  // SAO number, one blank when none
    float mag = kNoMagnitude;

    enum class Form { Sesame, Simbad };

    static bool hasMarker(Form form, QByteArrayView text);
    // None when the marker is missing or the position is not a pair of
    // numbers on the sphere. A proper motion or magnitude that is not a
    // number, or a magnitude outside -30 to 40, counts as not given.
    static std::optional<SimAnswer> parse(Form form, QByteArrayView text);
    // The resolver's form first, then the database's.
    static std::optional<SimAnswer> parseEither(QByteArrayView text);
};
