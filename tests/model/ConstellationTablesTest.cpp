#include "model/catalogue/ConstellationTables.h"

#include "CatalogueFixture.h"

#include <gtest/gtest.h>

namespace {

QByteArray linesBytes(const std::vector<conLine>& lines)
{
    return CatalogueFixture::bytesOf(std::span<const conLine>(lines));
}

}  // namespace

TEST(ConstellationLines, EmptyFileGivesNoLines)
{
    CatalogueFixture fixture;
    fixture.writeTvkFile("Constellations.tvk", {});
    std::vector<conLine> lines{{1, 2}};
    EXPECT_FALSE(ConstellationTables::loadConLines(fixture.folders().tvkDirectory, 10, lines, {}));
    EXPECT_TRUE(lines.empty());
}

TEST(ConstellationLines, MissingFileCannotBuildConstellationData)
{
    CatalogueFixture fixture;
    std::vector<conLine> lines;
    EXPECT_EQ(ConstellationTables::loadConLines(fixture.folders().tvkDirectory, 10, lines, {}),
              QString("Can not build constellation data."));
}

TEST(ConstellationLines, TrailingPartialRecordIsIgnored)
{
    CatalogueFixture fixture;
    fixture.writeTvkFile("Constellations.tvk", linesBytes({{0, 1}, {2, 3}}) + "abc");
    std::vector<conLine> lines;
    ASSERT_FALSE(ConstellationTables::loadConLines(fixture.folders().tvkDirectory, 4, lines, {}));
    EXPECT_EQ(linesBytes(lines), linesBytes({{0, 1}, {2, 3}}));
}

TEST(ConstellationLines, LinesToStarsOutsideTheTableAreDroppedAndLogged)
{
    CatalogueFixture fixture;
    fixture.writeTvkFile("Constellations.tvk",
                         linesBytes({{0, 1}, {1, 10}, {-1, 2}, {9, 8}, {3, 2147483647}}));
    std::vector<conLine> lines;
    QStringList log;
    ASSERT_FALSE(ConstellationTables::loadConLines(fixture.folders().tvkDirectory, 10, lines,
                                                   [&](const QString& line) { log << line; }));
    EXPECT_EQ(linesBytes(lines), linesBytes({{0, 1}, {9, 8}}));
    ASSERT_EQ(log.size(), 3);
    EXPECT_TRUE(log[0].contains("1, 10")) << log[0].toStdString();
}

TEST(ConstellationLines, DroppingAgainstAShorterStarTable)
{
    std::vector<conLine> lines{{0, 1}, {5, 6}, {2, 4}};
    EXPECT_EQ(ConstellationTables::dropBadConLines(lines, 5, {}), 1u);
    EXPECT_EQ(linesBytes(lines), linesBytes({{0, 1}, {2, 4}}));
}

TEST(ConstellationBoundaries, AtLeast1600Vertices)
{
    CatalogueFixture fixture;
    std::vector<boundaryLocn> vertices;
    fixture.writeTvkFile("Boundary.tvk", CatalogueFixture::boundaryBytes(1600));
    ASSERT_FALSE(ConstellationTables::loadBoundaries(fixture.folders().tvkDirectory, vertices));
    EXPECT_EQ(vertices.size(), 1600u);
    EXPECT_EQ(vertices[1599].lineId, 160u);

    fixture.writeTvkFile("Boundary.tvk", CatalogueFixture::boundaryBytes(1600).left(102336));
    EXPECT_EQ(ConstellationTables::loadBoundaries(fixture.folders().tvkDirectory, vertices),
              QString("Constellation boundary number error."));
}

TEST(ConstellationBoundaries, MissingFileIsAnAccessError)
{
    CatalogueFixture fixture;
    std::vector<boundaryLocn> vertices;
    EXPECT_EQ(ConstellationTables::loadBoundaries(fixture.folders().tvkDirectory, vertices),
              QString("Constellation boundary access error."));
}
