#include "PrefsFixture.h"

#include "prefs/ShortcutKeys.h"
#include "prefs/RefusalNote.h"
#include "prefs/ShortcutsTab.h"
#include "support/RecordingAlertPresenter.h"

#include <QLineEdit>

namespace {

class ShortcutsTabTest : public ::testing::Test {
protected:
    ShortcutsTabTest() : prefs(gamma)
    {
        QString shortcuts(42, u'-');
        shortcuts[12] = u'a';
        shortcuts[5] = u'x';
        prefs.saveShortcutPref(shortcuts);
        tab.setupShortcuts();
    }
    ~ShortcutsTabTest() override { prefs.saveShortcutPref(QString(42, u'-')); }

    bool type(int position, const QString& text)
    {
        tab.field(position)->setText(text);
        return tab.shortcutAction(position);
    }

    NoGamma gamma;
    PrefControl prefs;
    ShortcutsTab tab{prefs};
    ScopedAlertRecorder recorder;
};

TEST_F(ShortcutsTabTest, AKeyBoundElsewhereIsRefusedWithABeepAndTheFieldShowsTheKeyKept)
{
    const QString before = prefs.shortcutPrefStr();
    // The key the field already holds is stored again unchanged.
    EXPECT_TRUE(type(12, "a"));
    EXPECT_EQ(prefs.shortcutPrefStr(), before);
    EXPECT_FALSE(type(5, "a"));
    EXPECT_EQ(tab.field(5)->text(), QString(before[5]));
    EXPECT_EQ(recorder.beeps, 1);
    EXPECT_FALSE(tab.refusalNote()->isHidden());
    EXPECT_TRUE(tab.refusalNote()->text().contains("a"));
    EXPECT_EQ(prefs.shortcutPrefStr(), before);
    // The next save of another field keeps the key the refused field shows.
    EXPECT_TRUE(type(0, "Q"));
    EXPECT_EQ(prefs.shortcutPrefStr()[5], before[5]);
    EXPECT_TRUE(tab.refusalNote()->isHidden());
}

TEST_F(ShortcutsTabTest, DashUnbindsAndTheFirstOfSeveralLettersBinds)
{
    EXPECT_TRUE(type(12, "-"));
    EXPECT_EQ(prefs.shortcutPrefStr()[12], u'-');
    EXPECT_TRUE(type(0, "Xyz"));
    EXPECT_EQ(prefs.shortcutPrefStr()[0], u'X');
    EXPECT_EQ(tab.field(0)->text(), "X");
    // Case counts: x at position 5 does not stop X.
    EXPECT_EQ(prefs.shortcutPrefStr()[5], u'x');
    EXPECT_EQ(recorder.beeps, 0);
}

TEST_F(ShortcutsTabTest, AnEmptyFieldUnbindsAndTheStringKeepsItsLength)
{
    EXPECT_TRUE(type(12, ""));
    EXPECT_EQ(tab.field(12)->text(), "-");
    EXPECT_EQ(prefs.shortcutPrefStr().size(), 42);
    EXPECT_EQ(prefs.shortcutPrefStr()[12], u'-');
}

TEST_F(ShortcutsTabTest, AStoredStringOfTheWrongLengthIsFitted)
{
    prefs.saveShortcutPref(QString(41, u'-'));
    tab.setupShortcuts();
    EXPECT_EQ(tab.field(41)->text(), "-");
    EXPECT_TRUE(type(41, "q"));
    EXPECT_EQ(prefs.shortcutPrefStr().size(), 42);
    EXPECT_EQ(prefs.shortcutPrefStr()[41], u'q');

    EXPECT_EQ(ShortcutKeys::fitted(QString(50, u'z')), QString(42, u'z'));
    prefs.saveShortcutPref(QString(42, u'-'));
    tab.setupShortcuts();
    for (int p = 0; p < 42; ++p)
        EXPECT_EQ(tab.field(p)->text(), "-");
}

}  // namespace
