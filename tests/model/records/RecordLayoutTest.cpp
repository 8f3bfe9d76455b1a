// Every record header is included so that its layout assertions are compiled.
#include "model/records/AltAzLocn.h"
#include "model/records/boundaryLocn.h"
#include "model/records/cityList.h"
#include "model/records/comet.h"
#include "model/records/conLine.h"
#include "model/records/conLocn.h"
#include "model/records/deepSky.h"
#include "model/records/eyepiece.h"
#include "model/records/ht2Star.h"
#include "model/records/meteor.h"
#include "model/records/minorPlanet.h"
#include "model/records/MWCoord.h"
#include "model/records/nomadData.h"
#include "model/records/planet.h"
#include "model/records/planetPath.h"
#include "model/records/RALocn.h"
#include "model/records/RecordConstants.h"
#include "model/records/scope.h"
#include "model/records/site.h"
#include "model/records/star.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Byte offsets that terminateTextFields changes in a record whose every byte
// is a printable character, as a record damaged on disk may be.
template <class Record>
std::vector<std::size_t> bytesChangedByTermination()
{
    Record r;
    std::memset(&r, 'A', sizeof r);
    terminateTextFields(r);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < sizeof r; ++i) {
        if (bytes[i] != 'A')
            changed.push_back(i);
    }
    return changed;
}

}  // namespace

// Each text field must end in a NUL at its last byte, and no number or
// padding byte may be touched; the offsets are those of the stored layouts.
TEST(RecordTextFields, TerminationClearsOnlyTheLastByteOfEachTextField)
{
    using ::testing::ElementsAre;
    EXPECT_THAT(bytesChangedByTermination<star>(), ElementsAre(10, 22, 38, 47));
    EXPECT_THAT(bytesChangedByTermination<deepSky>(), ElementsAre(35, 56, 68, 73));
    EXPECT_THAT(bytesChangedByTermination<comet>(), ElementsAre(43));
    EXPECT_THAT(bytesChangedByTermination<minorPlanet>(), ElementsAre(28, 38));
    EXPECT_THAT(bytesChangedByTermination<cityList>(), ElementsAre(32));
    EXPECT_THAT(bytesChangedByTermination<meteor>(), ElementsAre(95));
    EXPECT_THAT(bytesChangedByTermination<nomadData>(), ElementsAre(49));
}
