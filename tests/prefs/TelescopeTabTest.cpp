#include "PrefsFixture.h"

#include "model/settings/PrefDefaults.h"
#include "prefs/PrefLocalization.h"
#include "prefs/RefusalNote.h"
#include "prefs/TelescopeOptics.h"
#include "prefs/TelescopeTab.h"
#include "prefs/TypedNumber.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <cstring>
#include <limits>

namespace {

TEST(TelescopeOptics, LimitsOfAnEightInchAperture)
{
    const TelescopeOptics::Limits limits = TelescopeOptics::limits(2032.0, 203.2);
    EXPECT_EQ(limits.magnitudeLimit, "14.04");
    EXPECT_EQ(limits.resolvingPower, "0.57");
    EXPECT_EQ(limits.maximumPower, "480");
    // An empty slot shows nothing; an aperture of 0 has no limits to show.
    EXPECT_EQ(TelescopeOptics::limits(0.0, 203.2).magnitudeLimit, "");
    const TelescopeOptics::Limits noAperture = TelescopeOptics::limits(1000.0, 0.0);
    EXPECT_EQ(noAperture.magnitudeLimit, "---");
    EXPECT_EQ(noAperture.resolvingPower, "---");
    EXPECT_EQ(noAperture.maximumPower, "---");
}

TEST(TelescopeOptics, PowerAndTrueField)
{
    TelescopeOptics::EyepieceRow row = TelescopeOptics::eyepieceRow(2000.0, 20.0, 50.0);
    EXPECT_EQ(row.power, "100");
    EXPECT_EQ(row.trueField, "30'0\"");
    row = TelescopeOptics::eyepieceRow(2000.0, 40.0, 70.0);
    EXPECT_EQ(row.power, "50");
    EXPECT_EQ(row.trueField, QString::fromUtf8("1°24'"));
    // A power that rounds to 0 would divide the field by zero.
    row = TelescopeOptics::eyepieceRow(2000.0, 5000.0, 50.0);
    EXPECT_EQ(row.power, "---");
    EXPECT_EQ(row.trueField, "---");
    EXPECT_EQ(TelescopeOptics::eyepieceRow(0.0, 20.0, 50.0).power, "---");
    EXPECT_EQ(TelescopeOptics::trueFieldText(0.25), "15'0\"");
}

class TelescopeTabTest : public ::testing::Test {
protected:
    TelescopeTabTest() : prefs(gamma)
    {
        prefs.restoreDefaultPrefs();
        for (scope& s : prefs.scopes())
            s = scope{};
        prefs.scopes()[0] = {2000.0f, 203.2f, 5.0f, 1, 1, 0, 1, 1, 0};
        for (eyepiece& e : prefs.eyepieces())
            e = eyepiece{};
        prefs.eyepieces()[0] = {20.0f, 50.0f};
        prefs.eyepieces()[1] = {40.0f, 70.0f};
        prefs.eyepieces()[2] = {5000.0f, 50.0f};
        prefs.eyepieces()[9] = {12.0f, 80.0f};
        prefs.setScopeNamesArray({"Newton", "", "", "", ""});
        tab.setLinks({[this] { ++drawerSetups; }, [this] { ++connectMenuSetups; }});
        tab.setupScopes(0);
    }

    NoGamma gamma;
    PrefControl prefs;
    PrefLocalization texts;
    TelescopeTab tab{prefs, texts};
    int drawerSetups = 0;
    int connectMenuSetups = 0;
};

TEST_F(TelescopeTabTest, ShowsTheSlotWithItsUnitsLimitsAndEyepieces)
{
    EXPECT_EQ(tab.nameField()->text(), "Newton");
    EXPECT_EQ(tab.focalLengthField()->text(), "2000");
    EXPECT_EQ(tab.focalLengthUnit()->checkedId(), 1);
    EXPECT_EQ(tab.apertureField()->text(), "8");
    EXPECT_EQ(tab.apertureUnit()->checkedId(), 0);
    EXPECT_EQ(tab.magnitudeLimitField()->text(), "14.04");
    EXPECT_EQ(tab.maximumPowerField()->text(), "480");
    EXPECT_EQ(tab.mountPopup()->currentIndex(), 1);
    EXPECT_TRUE(tab.reverseNSBox()->isChecked());
    EXPECT_EQ(tab.powerField(0)->text(), "100");
    EXPECT_EQ(tab.trueFieldField(1)->text(), QString::fromUtf8("1°24'"));
    EXPECT_EQ(tab.powerField(2)->text(), "---");
    EXPECT_EQ(tab.eyeFocalLengthField(3)->text(), "");
    EXPECT_EQ(tab.powerField(3)->text(), "---");
    EXPECT_EQ(tab.cameraPercentField()->text(), "80");

    // An empty telescope slot keeps the eyepieces' own values but no power.
    tab.scopeSelectionAction(1);
    EXPECT_EQ(prefs.currentScope(), 1);
    EXPECT_EQ(tab.magnitudeLimitField()->text(), "");
    EXPECT_EQ(tab.eyeFocalLengthField(0)->text(), "20");
    EXPECT_EQ(tab.powerField(0)->text(), "---");
    EXPECT_EQ(tab.trueFieldField(0)->text(), "---");
}

TEST_F(TelescopeTabTest, SavesInchesAsMillimetresAndRebuildsDrawerAndMenu)
{
    tab.scopeSelectionAction(3);
    tab.nameField()->setText("Refractor");
    tab.focalLengthUnit()->button(0)->setChecked(true);
    tab.focalLengthField()->setText("80");
    tab.apertureUnit()->button(1)->setChecked(true);
    tab.apertureField()->setText("102");
    tab.mountPopup()->setCurrentIndex(7);
    tab.altAzBox()->setChecked(true);
    tab.saveScopeAction();
    const scope& s = prefs.scopes()[3];
    EXPECT_FLOAT_EQ(s.scopeFL, 2032.0f);
    EXPECT_EQ(s.isFLmm, 0);
    EXPECT_FLOAT_EQ(s.scopeAP, 102.0f);
    EXPECT_EQ(s.mountProtocol, 7);
    EXPECT_TRUE(prefs.isScopeAltAz());
    EXPECT_EQ(prefs.scopeNamesArray()[3], "Refractor");
    EXPECT_EQ(tab.focalLengthField()->text(), "80");
    EXPECT_EQ(drawerSetups, 1);
    EXPECT_EQ(connectMenuSetups, 1);
}

TEST_F(TelescopeTabTest, FocalLengthZeroEmptiesTheSlotAndSelectsTheFirst)
{
    tab.scopeSelectionAction(0);
    tab.focalLengthField()->setText("0");
    tab.saveScopeAction();
    EXPECT_EQ(prefs.scopeNamesArray()[0], "");
    EXPECT_EQ(prefs.scopes()[0].scopeFL, 0.0f);
    EXPECT_EQ(prefs.scopes()[0].isFLmm, 1);
    EXPECT_EQ(tab.currentScope(), 0);
    EXPECT_EQ(tab.scopeRadio()->checkedId(), 0);
    EXPECT_EQ(tab.magnitudeLimitField()->text(), "");
    EXPECT_EQ(connectMenuSetups, 1);
    EXPECT_EQ(drawerSetups, 1);
}

TEST(TelescopeTab, SavesBeforeTheSettingsWereFirstRead)
{
    NoGamma gamma;
    PrefControl prefs(gamma);
    PrefLocalization texts;
    TelescopeTab tab(prefs, texts);
    ASSERT_TRUE(prefs.scopeNamesArray().isEmpty());
    tab.scopeSelectionAction(4);
    tab.nameField()->setText("Last");
    tab.focalLengthField()->setText("500");
    tab.saveScopeAction();
    EXPECT_EQ(prefs.scopeNamesArray().value(4), "Last");
}

TEST_F(TelescopeTabTest, EyepieceSaveForcesTheCameraFocalLength)
{
    tab.eyeFocalLengthField(3)->setText("9");
    tab.eyeFieldField(3)->setText("82");
    tab.eyeFocalLengthField(0)->setText("");
    tab.cameraPercentField()->setText("60");
    tab.cameraPopup()->setCurrentIndex(2);
    tab.flipOutlineBox()->setChecked(true);
    tab.saveEyepieceAction();
    EXPECT_FLOAT_EQ(prefs.eyepieces()[9].eyeFL, 50.0f);
    EXPECT_FLOAT_EQ(prefs.eyepieces()[9].eyeFOV, 60.0f);
    EXPECT_FLOAT_EQ(prefs.eyepieces()[3].eyeFL, 9.0f);
    EXPECT_EQ(prefs.eyepieces()[0].eyeFL, 0.0f);
    EXPECT_EQ(prefs.currentDSLR(), 2);
    EXPECT_TRUE(prefs.isFlipOutline());
    EXPECT_EQ(tab.powerField(3)->text(), "222");
    EXPECT_EQ(drawerSetups, 1);
    EXPECT_EQ(connectMenuSetups, 0);
}

}  // namespace

namespace {

TEST(TelescopeOptics, SixtySecondsOrMinutesCarryOver)
{
    EXPECT_EQ(TelescopeOptics::eyepieceRow(2000.0, 15.0, 82.0).trueField, "37'0\"");
    EXPECT_EQ(TelescopeOptics::eyepieceRow(800.0, 6.0, 82.0).trueField, "37'0\"");
    EXPECT_EQ(TelescopeOptics::trueFieldText(1.9999), QString::fromUtf8("2°0'"));
    EXPECT_EQ(TelescopeOptics::trueFieldText(0.99999), QString::fromUtf8("1°0'"));
}

TEST(TelescopeOptics, ValuesPastTheirRangeShowNoFigure)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(TelescopeOptics::limits(1000.0, 1e30).maximumPower, "---");
    EXPECT_EQ(TelescopeOptics::limits(1000.0, nan).magnitudeLimit, "---");
    EXPECT_EQ(TelescopeOptics::eyepieceRow(2000.0, 1e-30, 50.0).power, "---");
    EXPECT_EQ(TelescopeOptics::eyepieceRow(2000.0, nan, 50.0).power, "---");
    EXPECT_EQ(TelescopeOptics::eyepieceRow(1e30, 10.0, 50.0).power, "---");
    EXPECT_EQ(TelescopeOptics::eyepieceRow(2000.0, 20.0, nan).trueField, "---");
    EXPECT_EQ(TelescopeOptics::eyepieceRow(2000.0, 20.0, 1e30).trueField, "---");
}

TEST_F(TelescopeTabTest, NonNumbersAndNegativesAreRefusedAndTheTypedNameKept)
{
    const scope before = prefs.scopes()[0];
    const QString name(500, u'n');
    tab.nameField()->setText(name);
    tab.apertureField()->setText("-100");
    EXPECT_FALSE(tab.saveScopeAction());
    EXPECT_TRUE(tab.refusalNote()->text().startsWith("Aperture"));
    tab.apertureField()->setText("200");
    // Reads as nothing, not as 0, the delete command.
    tab.focalLengthField()->setText("abc1e5");
    EXPECT_FALSE(tab.saveScopeAction());
    EXPECT_TRUE(tab.refusalNote()->text().startsWith("Focal Length"));
    tab.focalLengthField()->setText("1e30");
    EXPECT_FALSE(tab.saveScopeAction());
    EXPECT_EQ(std::memcmp(&prefs.scopes()[0], &before, sizeof before), 0);
    EXPECT_EQ(prefs.scopeNamesArray()[0], "Newton");
    EXPECT_EQ(tab.nameField()->text(), name.left(PrefDefaults::kMostNameLength));
    EXPECT_EQ(drawerSetups, 0);

    tab.focalLengthField()->setText("1200,5");
    EXPECT_TRUE(tab.saveScopeAction());
    EXPECT_FLOAT_EQ(prefs.scopes()[0].scopeFL, 1200.5f);
    EXPECT_EQ(prefs.scopeNamesArray()[0], name.left(PrefDefaults::kMostNameLength));
    EXPECT_TRUE(tab.refusalNote()->isHidden());
}

TEST_F(TelescopeTabTest, ARefusedEyepieceLeavesEveryStoredOneAsItWas)
{
    tab.eyeFocalLengthField(0)->setText("25");
    tab.eyeFieldField(4)->setText("nan");
    EXPECT_FALSE(tab.saveEyepieceAction());
    EXPECT_EQ(prefs.eyepieces()[0].eyeFL, 20.0f);
    EXPECT_TRUE(tab.refusalNote()->text().startsWith("FOV"));
    tab.eyeFieldField(4)->setText("68,5");
    tab.eyeFocalLengthField(4)->setText("13");
    EXPECT_TRUE(tab.saveEyepieceAction());
    EXPECT_FLOAT_EQ(prefs.eyepieces()[4].eyeFOV, 68.5f);
    EXPECT_EQ(prefs.eyepieces()[0].eyeFL, 25.0f);
}

TEST(TypedNumber, EitherSeparatorAndNothingThatDoesNotWhollyRead)
{
    EXPECT_EQ(TypedNumber::read(" 3,5 "), 3.5);
    EXPECT_EQ(TypedNumber::read("3.5"), 3.5);
    EXPECT_EQ(TypedNumber::read("1e5"), 1e5);
    EXPECT_EQ(TypedNumber::read("-2"), -2.0);
    for (const char* text : {"", "abc", "abc1e5", "12abc", "1,200.5", "inf", "nan", "1e999"})
        EXPECT_FALSE(TypedNumber::read(text).has_value()) << text;
}

}  // namespace
