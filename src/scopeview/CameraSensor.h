#pragma once

#include <array>

// A camera kind of the telescope view's camera slot: its sensor and the
// divisor that sizes its frame on the view (the frame is width x 0.42 x view
// height / divisor points wide).
struct CameraSensor {
    const char* title;  // the camera row's title
    double width;       // mm
    double height;      // mm
    double divisor;

    // The sensor of the setting currentDSLR. A value outside 0 to 2 reads as
    // full frame rather than indexing past the table.
    static const CameraSensor& forKind(int currentDSLR)
    {
        static constexpr std::array<CameraSensor, 3> kSensors{{
            {"Full", 36.0, 24.0, 22.63},
            {"APS-C", 23.3, 14.9, 17.83},
            {"WCAM", 3.6, 2.7, 6.83},
        }};
        const bool known = currentDSLR >= 0 && currentDSLR < int(kSensors.size());
        return kSensors[known ? currentDSLR : 0];
    }
};
