#pragma once

#include "model/records/minorPlanet.h"

#include <cstddef>
#include <functional>
#include <stop_token>
#include <string_view>
#include <vector>

// Parses the full orbit file "MPCORB.DAT": header lines, a rule line (the
// first line from the second on whose characters 3-7 are "-----"), the
// numbered orbits, a separator line (the first record line whose first two
// characters hold white space or a line break), then the unnumbered orbits.
// The file is read in blocks of whole lines; a block's record lines are
// split into contiguous slices by line number and parsed at once on a
// private thread pool, each record written straight into its place in the
// table. The result does not depend on the number of slices.
class OrbitFileParse {
public:
    enum class Status {
        Ok,
        NoRuleLine,
        TooFewRecordLines,  // fewer than kMinimumRecordLines after the rule line
        Stopped,            // asked to stop before the end: no orbits
        NotAscii,           // a character above 127 or a NUL, refused as ElementFile::readAscii refuses it
    };

    struct Result {
        Status status = Status::Ok;
        // Kept orbits in line order, `index` set to the position: numbered ones
        // (kMPSourceNumbered) first, then, when all orbits were asked for, the
        // unnumbered ones (kMPSourceUnnumbered). Rejected lines leave no gap.
        std::vector<minorPlanet> minorPlanets;
        std::size_t recordLines = 0;     // lines after the rule line
        std::size_t numberedOrbits = 0;  // position of the separator; all lines when there is none
        // Lines asked for that hold no readable orbit (the separator not counted).
        std::size_t refusedLines = 0;
    };

    static constexpr std::size_t kMinimumRecordLines = 10;
    // The file is read in blocks of about this many bytes, each let go once
    // parsed, so that the mapped file never holds more than a block in
    // memory beside the table.
    static constexpr std::size_t kBlockBytes = std::size_t(16) << 20;

    // `slices`: 1 to 8 parse operations. `report` receives, on the calling
    // thread, the percentage of the text's bytes that have been read, at
    // most once per whole percent. Without a separator every orbit counts as
    // numbered. A stop request ends every slice within a thousand lines.
    // `doneWith` is told, after each block, how many of the text's first
    // bytes will not be read again, so that their memory may be let go.
    static Result parse(std::string_view text, bool allOrbits, int slices,
                        const std::function<void(double percent)>& report = {},
                        std::stop_token stop = {},
                        const std::function<void(std::size_t bytes)>& doneWith = {},
                        std::size_t blockBytes = kBlockBytes);

    // Whether `head`, the start of a file, reads as the start of an orbit
    // file: a rule line followed by kMinimumRecordLines whole lines that each
    // hold an orbit. For checking a download before it replaces the file.
    static bool startsWithOrbits(std::string_view head);
};
