#include "platform/StringTables.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

TEST(StringTables, ParsesEntriesCommentsAndEscapes)
{
    const auto entries = StringTables::parse(QString::fromUtf8(
        "/* Menus */\n"
        "\"Open\" = \"Öffnen\";\n"
        "// a comment\n"
        "\"Quote\" = \"say \\\"hi\\\"\\n\";\n"
        "  \"Spaced\"   =   \"x\"  ;\n"));
    EXPECT_EQ(entries.value("Open"), QString::fromUtf8("Öffnen"));
    EXPECT_EQ(entries.value("Quote"), QString("say \"hi\"\n"));
    EXPECT_EQ(entries.value("Spaced"), QString("x"));
    EXPECT_EQ(entries.size(), 3);

    // Bad lines cost only themselves.
    const auto damaged = StringTables::parse("\"A\" = \"1\";\n\"B\" = missing quotes;\n"
                                             "\"C\" = \"unterminated\n\"D\" = \"4\";\n");
    EXPECT_EQ(damaged.size(), 2);
    EXPECT_EQ(damaged.value("A"), QString("1"));
    EXPECT_EQ(damaged.value("D"), QString("4"));
}

TEST(StringTables, LookupFallsBackToTheKey)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("Global.strings"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"Startup Failed\" = \"Start failed\";\n");
    file.close();

    StringTables::setFolder(dir.path());
    EXPECT_EQ(StringTables::localizedString("Global", "Startup Failed"), QString("Start failed"));
    EXPECT_EQ(StringTables::localizedString("Global", "No such key"), QString("No such key"));
    EXPECT_EQ(StringTables::localizedString("Menus", "File"), QString("File"));
    StringTables::setFolder({});
}
