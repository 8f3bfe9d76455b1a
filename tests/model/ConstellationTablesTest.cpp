#include "model/catalogue/ConstellationTables.h"

#include "CatalogueFixture.h"

#include <gtest/gtest.h>

namespace {

QByteArray linesBytes(const std::vector<conLine>& lines)
{
    return CatalogueFixture::bytesOf(std::span<const conLine>(lines));
}

}  // namespace

TEST(ConstellationLines, LinesToStarsOutsideTheTableAreDroppedAndLogged)
{
    CatalogueFixture fixture;
    const QString folder = fixture.folders().tvkDirectory;
    fixture.writeTvkFile("Constellations.tvk",
                         linesBytes({{0, 1}, {1, 10}, {-1, 2}, {9, 8}, {3, 2147483647}}));
    std::vector<conLine> lines;
    QStringList log;
    ASSERT_FALSE(ConstellationTables::loadConLines(folder, 10, lines,
                                                   [&](const QString& line) { log << line; }));
    EXPECT_EQ(linesBytes(lines), linesBytes({{0, 1}, {9, 8}}));
    ASSERT_EQ(log.size(), 3);
    EXPECT_TRUE(log[0].contains("1, 10")) << log[0].toStdString();

    fixture.writeTvkFile("Constellations.tvk", {});
    EXPECT_FALSE(ConstellationTables::loadConLines(folder, 10, lines, {}));
    EXPECT_TRUE(lines.empty());
}
