#pragma once

#include "model/records/comet.h"

#include <cstddef>
#include <string_view>
#include <vector>

// Builds the comet table from the Minor Planet Center's one-line comet format
// ("Soft00Cmt.txt"): one comet per line, columns counted from 1:
// 15-19 perihelion year, 20-22 month, 23-31 day with fraction, 31-40 q (AU),
// 42-51 e, 52-61 argument of perihelion, 62-71 node, 72-81 inclination
// (degrees, J2000), 92-96 absolute magnitude, 97-102 slope, 103 to the end
// designation and name. Nothing here touches files or alerts.
class CometImport {
public:
    enum class Status {
        Ok,
        FormatError,  // text or last line shorter than 10 characters
        RangeError,   // a perihelion year, month or day out of range
    };

    struct Result {
        Status status = Status::Ok;
        std::vector<comet> comets;  // empty unless Ok
        std::size_t badLine = 0;    // line number (from 0) of a RangeError
    };

    // Shortest line (without its break) that holds every element read.
    static constexpr std::size_t kMinimumLength = 102;
    // Longest name kept; a longer name text is cut to columns 103-136.
    static constexpr std::size_t kNameLength = 34;

    // Lines shorter than kMinimumLength hold no comet and are left out.
    static Result parse(std::string_view text);

    // The name text of one line (without its break).
    static std::string_view name(std::string_view line);
};
