#include "platform/DataPaths.h"

#include <gtest/gtest.h>

#include <QFileInfo>

TEST(DataPaths, ShippedFoldersAreFoundBesideTheProgram)
{
    const QString bundle = DataPaths::bundleDataFolder();
    ASSERT_FALSE(bundle.isEmpty());
    EXPECT_TRUE(bundle.endsWith("/ZQData"));
    EXPECT_TRUE(QFileInfo(bundle + "/CREDITS.md").isFile());
}
