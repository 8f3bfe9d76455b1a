#include "platform/widgets/DeferredIconStyle.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

QImage pixels(const QIcon& icon) { return icon.pixmap(QSize(16, 16)).toImage(); }

}  // namespace

TEST(DeferredIconStyle, DeferredIconsDrawAsTheBaseStylesOwnAndTheRestPassThrough)
{
    DeferredIconStyle style;
    QStyle& base = *style.baseStyle();
    EXPECT_EQ(base.name(), QApplication::style()->name());
    for (QStyle::StandardPixmap icon : {QStyle::SP_ToolBarHorizontalExtensionButton,
                                        QStyle::SP_ToolBarVerticalExtensionButton, QStyle::SP_LineEditClearButton}) {
        ASSERT_TRUE(DeferredIconStyle::isDeferred(icon));
        const QIcon deferred = style.standardIcon(icon);
        const QIcon own = base.standardIcon(icon);
        EXPECT_FALSE(deferred.isNull()) << icon;
        EXPECT_EQ(deferred.availableSizes(), own.availableSizes()) << icon;
        EXPECT_EQ(deferred.actualSize(QSize(16, 16)), own.actualSize(QSize(16, 16))) << icon;
        EXPECT_EQ(pixels(deferred), pixels(own)) << icon;
        // A copy draws the same, made or not.
        EXPECT_EQ(pixels(QIcon(deferred)), pixels(own)) << icon;
    }
    EXPECT_FALSE(DeferredIconStyle::isDeferred(QStyle::SP_DialogOkButton));
    EXPECT_EQ(pixels(style.standardIcon(QStyle::SP_DialogOkButton)), pixels(base.standardIcon(QStyle::SP_DialogOkButton)));
}

TEST(DeferredIconStyle, AnIconOutlivingItsStyleDrawsNothingRatherThanCrash)
{
    QIcon orphan;
    {
        DeferredIconStyle style;
        orphan = style.standardIcon(QStyle::SP_LineEditClearButton);
    }
    EXPECT_TRUE(orphan.pixmap(QSize(16, 16)).isNull());
}
