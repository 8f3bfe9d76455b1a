#include "model/catalogue/ConstellationLabels.h"

#include "model/UnitVector.h"
#include "platform/StringTables.h"

// Label points: right ascension in hours, declination in degrees, J2000.
const std::array<ConstellationLabels::Entry, ConstellationLabels::kNumLabels>
    ConstellationLabels::kEntries = {
        Entry{"ANDROMEDA", 0.65, 42.58},
        Entry{"ANTLIA", 10.00, -32.00},
        Entry{"APUS", 15.23, -80.27},
        Entry{"AQUARIUS", 22.32, -14.70},
        Entry{"AQUILA", 19.78, 5.90},
        Entry{"ARA", 17.13, -54.73},
        Entry{"ARIES", 2.43, 24.17},
        Entry{"AURIGA", 5.60, 43.10},
        Entry{"BOÖTES", 14.88, 24.02},
        Entry{"CAELUM", 4.58, -38.88},
        Entry{"CAMELOPARDALIS", 4.58, 64.62},
        Entry{"CANCER", 8.77, 20.30},
        Entry{"CANES VENATICI", 13.10, 40.32},
        Entry{"CANIS MAJOR", 6.73, -24.63},
        Entry{"CANIS MINOR", 7.62, 6.60},
        Entry{"CAPRICORNUS", 21.40, -20.00},
        Entry{"CARINA", 8.65, -61.23},
        Entry{"CASSIOPEIA", 1.18, 59.88},
        Entry{"CENTAURUS", 14.00, -51.00},
        Entry{"CEPHEUS", 22.13, 65.37},
        Entry{"CETUS", 1.60, -13.83},
        Entry{"CHAMELEON", 11.15, -79.42},
        Entry{"CIRCINUS", 15.23, -57.85},
        Entry{"COLUMBA", 5.67, -38.08},
        Entry{"COMA BERENICES", 13.10, 21.35},
        Entry{"CORONA AUSTRALIS", 18.72, -40.78},
        Entry{"CORONA BOREALIS", 15.73, 29.73},
        Entry{"CORVUS", 12.65, -18.85},
        Entry{"CRATER", 11.60, -16.72},
        Entry{"CRUX", 12.68, -61.18},
        Entry{"CYGNUS", 20.75, 41.82},
        Entry{"DELPHINUS", 20.67, 12.60},
        Entry{"DORADO", 5.82, -64.33},
        Entry{"DRACO", 17.90, 59.87},
        Entry{"EQUULEUS", 21.28, 7.62},
        Entry{"ERIDANUS", 4.28, -18.07},
        Entry{"FORNAX", 3.00, -29.55},
        Entry{"GEMINI", 7.28, 27.00},
        Entry{"GRUS", 22.80, -44.77},
        Entry{"HERCULES", 16.93, 27.87},
        Entry{"HORLOGIUM", 3.23, -53.62},
        Entry{"HYDRA", 9.43, -11.20},
        Entry{"HYDRUS", 2.95, -71.50},
        Entry{"INDUS", 21.38, -53.00},
        Entry{"LACERTA", 22.60, 44.40},
        Entry{"LEO", 10.64, 16.85},
        Entry{"LEO MINOR", 10.57, 34.15},
        Entry{"LEPUS", 5.72, -20.22},
        Entry{"LIBRA", 15.35, -18.37},
        Entry{"LUPUS", 15.15, -47.75},
        Entry{"LYNX", 8.00, 46.98},
        Entry{"LYRA", 18.90, 37.57},
        Entry{"MENSA", 6.08, -77.43},
        Entry{"MICROSCOPIUM", 21.20, -36.28},
        Entry{"MONOCEROS", 7.53, -3.78},
        Entry{"MUSCA", 13.15, -70.35},
        Entry{"NORMA", 16.23, -51.95},
        Entry{"OCTANS", 20.45, -83.97},
        Entry{"OPHIUCHUS", 17.35, -6.05},
        Entry{"ORION", 5.60, 1.78},
        Entry{"PAVO", 20.18, -68.92},
        Entry{"PEGASUS", 23.23, 19.37},
        Entry{"PERSEUS", 3.42, 45.78},
        Entry{"PHOENIX", 0.80, -50.62},
        Entry{"PICTOR", 5.83, -54.70},
        Entry{"PISCES", 23.90, 2.23},
        Entry{"PISCIS AUSTRINUS", 22.13, -30.18},
        Entry{"PUPPIS", 7.78, -39.45},
        Entry{"PYXIS", 8.83, -32.00},
        Entry{"RETICULUM", 4.15, -60.58},
        Entry{"SAGITTA", 19.93, 18.53},
        Entry{"SAGITTARIUS", 19.57, -29.07},
        Entry{"SCORPIUS", 16.37, -25.33},
        Entry{"SCULPTOR", 0.18, -33.17},
        Entry{"SCUTUM", 18.75, -10.07},
        Entry{"SERPENS CAPUT", 15.87, 12.78},
        Entry{"SERPENS CAUDA", 18.48, -2.22},
        Entry{"SEXTANS", 10.32, -4.20},
        Entry{"TAURUS", 4.10, 22.10},
        Entry{"TELESCOPIUM", 19.42, -52.53},
        Entry{"TRIANGULUM", 2.30, 31.45},
        Entry{"TRIANGULUM AUSTRALE", 16.67, -67.40},
        Entry{"TUCANA", 23.90, -63.93},
        Entry{"URSA MAJOR", 10.77, 53.37},
        Entry{"URSA MINOR", 15.90, 78.82},
        Entry{"VELA", 9.68, -49.78},
        Entry{"VIRGO", 13.22, 0.28},
        Entry{"VOLANS", 8.28, -71.22},
        Entry{"VULPECULA", 19.73, 23.50},
};

std::vector<conLocn> ConstellationLabels::create()
{
    // 15 degrees of right ascension an hour, in radians.
    constexpr double kHoursToRad = 0.26179938779914946;
    std::vector<conLocn> labels(kNumLabels);
    for (int k = 0; k < kNumLabels; ++k) {
        const Entry& entry = kEntries[std::size_t(k)];
        conLocn& label = labels[std::size_t(k)];
        label.screenPt = {0.0f, 0.0f};
        const UnitVector v =
            UnitVector::fromRADec(entry.raHours * kHoursToRad, entry.decDeg * kDegToRad);
        label.vecX = v.x;
        label.vecY = v.y;
        label.vecZ = v.z;
        label.horX = 0.0;
        label.horY = 0.0;
        label.horZ = 0.0;
        label.visible = 0;
        label.name = StringTables::localizedString("Global", QString::fromUtf8(entry.key));
    }
    return labels;
}
