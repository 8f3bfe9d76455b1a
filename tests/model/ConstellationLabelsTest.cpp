#include "model/catalogue/ConstellationLabels.h"

#include "platform/StringTables.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

TEST(ConstellationLabels, EightyNineLabelsOnTheUnitSphere)
{
    const std::vector<conLocn> labels = ConstellationLabels::create();
    ASSERT_EQ(labels.size(), 89u);
    for (const conLocn& label : labels) {
        EXPECT_NEAR(label.vecX * label.vecX + label.vecY * label.vecY + label.vecZ * label.vecZ,
                    1.0, 1e-12);
    }
    // Andromeda at RA 0.65 h (9.75 degrees), Dec 42.58.
    EXPECT_NEAR(labels[0].vecZ, 0.6766, 1e-4);
    EXPECT_NEAR(labels[0].vecX, 0.7257, 1e-4);
    EXPECT_NEAR(labels[0].vecY, std::cos(42.58 * M_PI / 180) * std::sin(9.75 * M_PI / 180), 1e-12);
}

TEST(ConstellationLabels, NamesComeFromTheGlobalTableOrAreTheKeys)
{
    QTemporaryDir folder;
    StringTables::setFolder(folder.path());
    EXPECT_EQ(ConstellationLabels::create()[8].name, QString::fromUtf8("BOÖTES"));

    QFile table(folder.path() + "/Global.strings");
    ASSERT_TRUE(table.open(QIODevice::WriteOnly));
    table.write(QString::fromUtf8("\"BOÖTES\" = \"Bouvier\";\n\"URSA MAJOR\" = \"Grande Ourse\";\n")
                    .toUtf8());
    table.close();
    StringTables::setFolder(folder.path());
    const std::vector<conLocn> labels = ConstellationLabels::create();
    EXPECT_EQ(labels[8].name, QString("Bouvier"));
    EXPECT_EQ(labels[83].name, QString("Grande Ourse"));
    EXPECT_EQ(labels[84].name, QString("URSA MINOR"));
    StringTables::setFolder({});
}
