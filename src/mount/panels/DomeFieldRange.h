#pragma once

#include <QString>

#include <optional>

// The values a dome set-up field can really hold, and the reading of what
// was typed into it: either decimal separator, blanks around it.
struct DomeFieldRange {
    // The value typed, or why it is refused (it is then empty).
    struct Reading {
        std::optional<double> value;
        QString refusal;
    };

    const char* name;  // as the field's caption, without its colon
    double min;
    double max;
    const char* unit;  // after the range in a refusal: "", " degrees", " seconds"
    bool whole = false;

    Reading read(const QString& text) const;
};
