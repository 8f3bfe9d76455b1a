#include "platform/LazyOwner.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Window {
    std::vector<std::string> links;
};

}  // namespace

TEST(LazyOwnerTest, MadeOnceAtFirstUseAndEarlierLinksReachItInOrder)
{
    int made = 0;
    LazyOwner<Window> owner([&made] {
        ++made;
        return std::make_unique<Window>();
    });
    owner.whenMade([](Window& w) { w.links.push_back("menu"); });
    owner.whenMade([](Window& w) { w.links.push_back("tips"); });
    EXPECT_EQ(made, 0);
    EXPECT_FALSE(owner.isMade());
    EXPECT_EQ(owner.ifMade(), nullptr);

    Window& first = owner.get();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(first.links, (std::vector<std::string>{"menu", "tips"}));
    EXPECT_EQ(&owner.get(), &first);
    EXPECT_EQ(owner.ifMade(), &first);
    EXPECT_EQ(made, 1);

    // A link given once it exists joins at once, and only once.
    owner.whenMade([](Window& w) { w.links.push_back("late"); });
    EXPECT_EQ(first.links, (std::vector<std::string>{"menu", "tips", "late"}));
    owner.get();
    EXPECT_EQ(first.links.size(), 3u);
}

TEST(LazyOwnerTest, AJoinThatAsksForTheObjectGetsTheOneBeingMade)
{
    int made = 0;
    LazyOwner<Window> owner([&made] {
        ++made;
        return std::make_unique<Window>();
    });
    Window* seen = nullptr;
    owner.whenMade([&](Window&) { seen = &owner.get(); });
    Window& window = owner.get();
    EXPECT_EQ(seen, &window);
    EXPECT_EQ(made, 1);
}
