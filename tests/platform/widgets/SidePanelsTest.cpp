#include "platform/widgets/SidePanels.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QWidget>

#include <gtest/gtest.h>

TEST(SidePanels, EachPanelIsMadeOnceWhenFirstAskedForAsTheWindowsOwn)
{
    QWidget owner;
    SidePanels panels(owner);
    EXPECT_EQ(panels.madeFontPanel(), nullptr);
    EXPECT_EQ(panels.madeColorPanel(), nullptr);
    panels.hide();  // nothing made, nothing to hide

    QFontDialog& font = panels.fontPanel();
    EXPECT_EQ(&panels.fontPanel(), &font);
    EXPECT_EQ(panels.madeFontPanel(), &font);
    EXPECT_EQ(panels.madeColorPanel(), nullptr);
    EXPECT_EQ(font.parentWidget(), &owner);
    EXPECT_FALSE(font.isModal());
    EXPECT_TRUE(font.testOption(QFontDialog::NoButtons));
    EXPECT_TRUE(font.testOption(QFontDialog::DontUseNativeDialog));

    QColorDialog& color = panels.colorPanel();
    EXPECT_EQ(panels.madeColorPanel(), &color);
    EXPECT_FALSE(color.isModal());
    EXPECT_TRUE(color.testOption(QColorDialog::ShowAlphaChannel));
    EXPECT_TRUE(color.testOption(QColorDialog::NoButtons));

    font.show();
    color.show();
    panels.hide();
    EXPECT_FALSE(font.isVisible());
    EXPECT_FALSE(color.isVisible());
}
