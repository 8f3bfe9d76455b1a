#include "model/catalogue/GridTables.h"

#include "CatalogueFixture.h"

#include <gtest/gtest.h>

// A grid file is accepted from its exact length up to one record short of
// the next whole record; anything else is refused.
TEST(GridTables, LengthWindowsAtBothEdges)
{
    CatalogueFixture fixture;
    const QString folder = fixture.folders().tvkDirectory;
    std::vector<RALocn> ra;
    for (const int length : {182639, 182640, 182699, 182700, 0}) {
        fixture.writeTvkFile("RAGrid.tvk", QByteArray(length, '\0'));
        const bool ok = length == 182640 || length == 182699;
        EXPECT_EQ(GridTables::loadRAGrid(folder, ra),
                  ok ? TableError() : QString("Can not build RA Grid data."))
            << length;
        if (ok) {
            EXPECT_EQ(ra.size(), 3044u);
        }
    }
    std::vector<AltAzLocn> altAz;
    for (const int length : {112103, 112104, 112139, 112140}) {
        fixture.writeTvkFile("AltAzGrid.tvk", QByteArray(length, '\0'));
        const bool ok = length == 112104 || length == 112139;
        EXPECT_EQ(GridTables::loadAltAzGrid(folder, altAz),
                  ok ? TableError() : QString("Can not build AltAz grid data."))
            << length;
        if (ok) {
            EXPECT_EQ(altAz.size(), 3114u);
        }
    }
}
