#include "platform/KeptView.h"

#include <gtest/gtest.h>

#include <QString>

#include <vector>

namespace {

class Fields {
public:
    virtual ~Fields() = default;
    virtual void showStatus(const QString& text) = 0;
    virtual void showLevel(int percent) = 0;
    virtual void redraw() = 0;
};

struct Window final : Fields {
    void showStatus(const QString& text) override { calls.push_back("status " + text); }
    void showLevel(int percent) override { calls.push_back("level " + QString::number(percent)); }
    void redraw() override { calls.push_back("redraw"); }
    std::vector<QString> calls;
};

}  // namespace

TEST(KeptViewTest, AViewThatJoinsLateSeesEachFieldsLastSettingOnceAndLaterOnesAtOnce)
{
    KeptView<Fields> kept;
    kept.keep<&Fields::showStatus>(QStringLiteral("Not Connected"));
    kept.keep<&Fields::showLevel>(10);
    // A field set again, even from another type, keeps only its last setting.
    kept.keep<&Fields::showStatus>("Connected");
    kept.keep<&Fields::showLevel>(40);
    // An act with no view to see it is dropped.
    kept.pass<&Fields::redraw>();

    Window window;
    kept.join(window);
    EXPECT_EQ(window.calls, (std::vector<QString>{"status Connected", "level 40"}));

    window.calls.clear();
    kept.keep<&Fields::showLevel>(55);
    kept.pass<&Fields::redraw>();
    EXPECT_EQ(window.calls, (std::vector<QString>{"level 55", "redraw"}));
}
