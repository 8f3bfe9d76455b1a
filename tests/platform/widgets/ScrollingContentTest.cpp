#include "platform/widgets/ScrollingContent.h"

#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A dialog of `rows` labels, one above the other, that counts the keys it gets.
class Rows : public QDialog {
public:
    explicit Rows(int rows)
    {
        auto* layout = new QVBoxLayout(this);
        for (int row = 0; row < rows; ++row)
            labels.push_back(new QLabel(QStringLiteral("Row %1").arg(row), this));
        for (QLabel* label : labels)
            layout->addWidget(label);
    }
    std::vector<QLabel*> labels;
    std::vector<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        keys.push_back(event->key());
        QDialog::keyPressEvent(event);
    }
};

constexpr int kTallRows = 80;

}  // namespace

TEST(ScrollingContent, ATallWindowFitsTheScreenAndScrollsAShortOneOpensWhole)
{
    const QRect visible = QGuiApplication::primaryScreen()->availableGeometry();
    for (const int rows : {3, kTallRows}) {
        Rows window(rows);
        const QSize whole = window.sizeHint();
        ScrollingContent::wrap(window);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        auto* area = window.findChild<QScrollArea*>();
        ASSERT_NE(area, nullptr);
        const bool tall = whole.height() > visible.height();
        EXPECT_EQ(tall, rows == kTallRows) << "the screen is small enough for the test";
        EXPECT_LE(window.frameGeometry().height(), visible.height()) << rows;
        EXPECT_EQ(area->verticalScrollBar()->maximum() > 0, tall) << rows;
        EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0) << rows << ": it never scrolls sideways";
        if (!tall) {
            EXPECT_EQ(window.height(), whole.height());
            EXPECT_GE(window.width(), whole.width());
        }

        // Each row can be brought into view.
        QLabel* last = window.labels.back();
        area->ensureWidgetVisible(last);
        const QRect shown(last->mapTo(area->viewport(), QPoint(0, 0)), last->size());
        EXPECT_TRUE(area->viewport()->rect().contains(shown)) << rows;
    }
}

TEST(ScrollingContent, AWindowGivenASizeKeepsIt)
{
    Rows window(kTallRows);
    ScrollingContent::wrap(window);
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.size(), QSize(300, 200));
    // It may be made smaller still, to a few rows.
    EXPECT_LE(window.minimumSizeHint().height(), ScrollingContent::kSmallest.height());
    EXPECT_LE(window.minimumSizeHint().width(), ScrollingContent::kSmallest.width());
}

TEST(ScrollingContent, TheWindowStillGetsItsKeys)
{
    Rows window(kTallRows);
    ScrollingContent::wrap(window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* area = window.findChild<QScrollArea*>();
    const int scrolled = area->verticalScrollBar()->value();
    // Keys the content leaves alone go to the window, not to the scrolling.
    QTest::keyClick(window.labels.front(), Qt::Key_Down);
    QTest::keyClick(window.labels.front(), Qt::Key_PageDown);
    EXPECT_EQ(window.keys, (std::vector<int>{Qt::Key_Down, Qt::Key_PageDown}));
    EXPECT_EQ(area->verticalScrollBar()->value(), scrolled);
    EXPECT_FALSE(area->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(window.labels.front(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible()) << "Escape still closes the dialog";
}

TEST(ScrollingContent, AWidthShortOnlyByRoundingNeverScrollsSideways)
{
    QWidget window;
    auto* content = new QLabel(QStringLiteral("Wide"));
    content->setMinimumWidth(400);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    ScrollingContent* area = ScrollingContent::around(content);
    layout->addWidget(area);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (const int shortBy : {0, 1, 20}) {
        // No vertical scroll bar: the view is as wide as the window.
        const int width = content->minimumWidth() - shortBy;
        window.resize(width, 300);
        ASSERT_TRUE(QTest::qWaitFor([&] { return area->width() == width; }));
        EXPECT_EQ(area->horizontalScrollBar()->isVisible(), shortBy > 1) << shortBy;
    }
}
