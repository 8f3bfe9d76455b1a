#include "FindFixture.h"

#include "find/CatalogueNames.h"
#include "find/FieldMatch.h"
#include "model/catalogue/DeepSkyTableBuilder.h"
#include "model/catalogue/StarTableBuilder.h"
#include "platform/DataPaths.h"
#include "solarsystem/smallbodies/CometImport.h"
#include "solarsystem/smallbodies/MinorPlanetImport.h"

#include <QFile>

#include <optional>
#include <set>
#include <string>

// The name index answers as a pass over the catalogues from the front does:
// checked against such a pass over the shipped catalogues, for every name
// they hold, written in other cases, cut short and run together.
namespace {

using FieldMatch::contains;
using FieldMatch::equals;
using FieldMatch::text;

// The pass from the front, as the window-less search made it before.
struct Scan {
    const FakeSky& sky;

    std::optional<std::uint32_t> deepSkyNamed(QByteArrayView wanted, QByteArrayView spaced) const
    {
        for (std::uint32_t k = 0; k < sky.deepSkyTable.size(); ++k) {
            const deepSky& d = sky.deepSkyTable[k];
            if (equals(text(d.name), wanted) || equals(text(d.ngc), wanted) || equals(text(d.ngc), spaced)
                || equals(text(d.messier), wanted))
                return k;
        }
        return std::nullopt;
    }
    std::optional<std::uint32_t> starNamed(QByteArrayView wanted) const
    {
        for (std::uint32_t k = 0; k < sky.starTable.size(); ++k) {
            const star& s = sky.starTable[k];
            if (equals(text(s.name), wanted) || equals(text(s.bayer), wanted) || equals(text(s.sao), wanted))
                return k;
        }
        return std::nullopt;
    }
    template <class Record>
    static std::optional<std::uint32_t> containing(const std::vector<Record>& table, QByteArrayView wanted)
    {
        for (std::uint32_t k = 0; k < table.size(); ++k)
            if (contains(text(table[k].name), wanted))
                return k;
        return std::nullopt;
    }
};

QByteArray readBuildText(const QString& name)
{
    QFile file(DataPaths::bundleDataFolder() + "/Build Data/" + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

std::string_view viewOf(const QByteArray& bytes)
{
    return {bytes.constData(), std::size_t(bytes.size())};
}

class ShippedNames : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QTemporaryDir database;
        const QString build = DataPaths::bundleDataFolder() + "/Build Data/";
        ASSERT_FALSE(StarTableBuilder::table(database.path() + "/", build).build(shipped.starTable));
        ASSERT_FALSE(DeepSkyTableBuilder::table(database.path() + "/", build).build(shipped.deepSkyTable));
        const QByteArray comets = readBuildText("Soft00Cmt.txt");
        shipped.cometTable = CometImport::parse(viewOf(comets)).comets;
        for (const char* list : {"Soft00Bright.txt", "Soft00Unusual.txt"})
            MinorPlanetImport::appendList(viewOf(readBuildText(list)), 0, shipped.minorPlanetTable);
    }

    // Names of every catalogue and what a user may make of them: every
    // `stride`th name of each, with its forms, and a few made up.
    static std::set<QByteArray> askedNames(std::size_t stride)
    {
        std::set<QByteArray> names = {"ngc224", "NGC7000", "m 31", "M31", "ngc", "Sirius", "(1)", "(1) ceres",
                                      "c/", "P/", "x", "", "zzzz not a name"};
        std::size_t seen = 0;
        const auto addForms = [&names, &seen, stride](std::string_view field) {
            if (field.empty() || seen++ % stride != 0)
                return;
            const QByteArray name(field.data(), qsizetype(field.size()));
            names.insert(name);
            names.insert(name.toUpper());
            names.insert(name.toLower());
            names.insert(name.left(name.size() / 2));
            names.insert(name.mid(name.size() / 3, 4));
            names.insert(QByteArray(name).replace(" ", ""));
        };
        for (const deepSky& d : shipped.deepSkyTable)
            for (std::string_view f : {text(d.name), text(d.ngc), text(d.messier)})
                addForms(f);
        for (const star& s : shipped.starTable)
            for (std::string_view f : {text(s.name), text(s.bayer), text(s.sao)})
                addForms(f);
        for (const comet& c : shipped.cometTable)
            addForms(text(c.name));
        for (const minorPlanet& m : shipped.minorPlanetTable)
            addForms(text(m.name));
        return names;
    }

    static inline FakeSky shipped;
};

TEST_F(ShippedNames, EveryLookupAnswersAsTheScanFromTheFront)
{
    ASSERT_GT(shipped.starTable.size(), 40000u);
    ASSERT_GT(shipped.deepSkyTable.size(), 10000u);
    ASSERT_GT(shipped.cometTable.size(), 500u);
    ASSERT_GT(shipped.minorPlanetTable.size(), 5000u);
    const CatalogueNames names(shipped);
    const Scan scan{shipped};
    int found = 0;
    // A pass over the catalogues per name is slow: some 1,000 names are asked.
    const std::set<QByteArray> askedList = askedNames(97);
    ASSERT_GT(askedList.size(), 700u);
    for (const QByteArray& asked : askedList) {
        const QString name = QString::fromLatin1(asked);
        const QByteArray wanted = name.toUtf8();
        const QByteArray spaced = name.toLower().replace(QStringLiteral("ngc"), QStringLiteral("ngc ")).toUtf8();
        const QByteArray w = CatalogueNames::lowered(wanted);
        const QByteArray s = CatalogueNames::lowered(spaced);
        const std::optional<std::uint32_t> byName = names.deepSkyNamed(viewOf(w));
        const std::optional<std::uint32_t> byNgc = names.deepSkyByNgc(viewOf(s));
        const std::optional<std::uint32_t> indexed =
            byName && byNgc ? std::min(*byName, *byNgc) : (byName ? byName : byNgc);
        ASSERT_EQ(indexed, scan.deepSkyNamed(wanted, spaced)) << asked.toStdString();
        ASSERT_EQ(names.starNamed(viewOf(w)), scan.starNamed(wanted)) << asked.toStdString();
        if (!w.isEmpty()) {
            ASSERT_EQ(names.cometContaining(viewOf(w)), Scan::containing(shipped.cometTable, wanted))
                << asked.toStdString();
            ASSERT_EQ(names.minorPlanetContaining(viewOf(w)), Scan::containing(shipped.minorPlanetTable, wanted))
                << asked.toStdString();
        }
        found += indexed.has_value();
    }
    EXPECT_GT(found, 150);
}

TEST(CatalogueNames, NoMatchSpansTwoNamesOrAnEmptyOne)
{
    FakeSky sky;
    sky.addNamed(sky.minorPlanetTable, "(1) Ceres");
    sky.addNamed(sky.minorPlanetTable, " ");
    sky.addNamed(sky.minorPlanetTable, "(2) Pallas");
    sky.addNamed(sky.minorPlanetTable, "(4) Vesta");
    const CatalogueNames names(sky);
    EXPECT_EQ(names.minorPlanetContaining("pallas"), 2u);
    EXPECT_EQ(names.minorPlanetContaining("pallas"), 2u);  // the kept answer
    EXPECT_EQ(names.minorPlanetContaining("(4) vesta"), 3u);
    EXPECT_EQ(names.minorPlanetContaining(std::string_view("ceres\0(2", 8)), std::nullopt);
    EXPECT_EQ(names.minorPlanetContaining("ceres(2"), std::nullopt);
    EXPECT_EQ(names.cometContaining("ceres"), std::nullopt);
}

// A table loaded after a search is searched by the next one.
class CatalogueNamesFinder : public FindFixture {};

TEST_F(CatalogueNamesFinder, ANewTableIsSearchedByTheNextSearch)
{
    sky.addNamed(sky.cometTable, "C/2020 F3 (NEOWISE)");
    EXPECT_EQ(finder->findVoiceName("Halley"), findResultNotFound);
    sky.addNamed(sky.cometTable, "1P/Halley");
    EXPECT_EQ(finder->findVoiceName("halley"), findResultFound);
    EXPECT_EQ(prefs.findIndex(), kCometIndexBase + 1);
    sky.cometTable.erase(sky.cometTable.begin());
    sky.cometTable.front().index = 0;
    sky.cometTable.shrink_to_fit();
    EXPECT_EQ(finder->findVoiceName("neowise"), findResultNotFound);
}

}  // namespace
