#include "model/projection/DeepSkyFilter.h"

#include "model/projection/CustomFilterList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <set>
#include <string>

namespace {

deepSky object(std::int32_t type, float mag = 10.0f)
{
    deepSky d{};
    d.type = type;
    d.mag = mag;
    return d;
}

// Names the objects whose `name` it holds, and counts the questions.
class CountingList final : public CustomFilterList {
public:
    bool findFilterObject(const deepSky& object) const override
    {
        ++asked;
        return names.count(object.name) != 0;
    }
    std::set<std::string> names;
    mutable int asked = 0;
};

DeepSkySwitches allTypes()
{
    DeepSkySwitches s;
    s.deepSkyMagLimit = 12.0;
    s.showGalaxy = s.showNebula = s.showOpenCluster = s.showGlobularCluster = true;
    return s;
}

TEST(DeepSkyFilter, Limit)
{
    EXPECT_NEAR(DeepSkyFilter::limit(12.0), 12.4, 1e-12);
    // 23.6 gives exactly 24.0, which stays a limit; just above, none.
    EXPECT_DOUBLE_EQ(DeepSkyFilter::limit(23.6), 24.0);
    EXPECT_DOUBLE_EQ(DeepSkyFilter::limit(23.7), 100.0);
}

TEST(DeepSkyFilter, ListMembershipAndSwitches)
{
    struct Case {
        const char* what;
        void (*member)(deepSky&);
        bool DeepSkySwitches::*sw;
    };
    const Case cases[] = {
        {"best", [](deepSky& d) { d.list = 1; }, &DeepSkySwitches::showBest},
        {"advanced", [](deepSky& d) { d.list = 2; }, &DeepSkySwitches::showAdvanced},
        {"caldwell", [](deepSky& d) { d.caldwell = 14; }, &DeepSkySwitches::showCaldwell},
        {"herschel", [](deepSky& d) { d.herschel = 1; }, &DeepSkySwitches::showHerschel},
        {"herschel II", [](deepSky& d) { d.herschel = 2; }, &DeepSkySwitches::showHerschelII},
        {"arp", [](deepSky& d) { d.arp = 77; }, &DeepSkySwitches::showArp},
        {"messier", [](deepSky& d) { std::strcpy(d.messier, "M31"); },
         &DeepSkySwitches::showMessier},
    };
    for (const Case& c : cases) {
        deepSky d = object(0);
        c.member(d);
        DeepSkySwitches on = allTypes();
        on.*c.sw = true;
        EXPECT_TRUE(DeepSkyFilter(on, nullptr).passes(d, false)) << c.what;
        // Its own switch off: hidden, also with showOther (it is in a list).
        DeepSkySwitches off = allTypes();
        off.showOther = true;
        EXPECT_FALSE(DeepSkyFilter(off, nullptr).passes(d, false)) << c.what;
        EXPECT_FALSE(DeepSkyFilter::isInNoList(d)) << c.what;
    }
}

// showOther shows the objects in no list, which an object of the custom list
// still is; without it only the selection (or the custom list in use) shows.
TEST(DeepSkyFilter, OtherShowsObjectsInNoListCustomListIncluded)
{
    DeepSkySwitches s = allTypes();
    s.showOther = true;
    deepSky plain = object(1);
    std::strcpy(plain.messier, "X1");  // not a Messier designation
    EXPECT_TRUE(DeepSkyFilter::isInNoList(plain));
    EXPECT_TRUE(DeepSkyFilter(s, nullptr).passes(plain, false));
    EXPECT_FALSE(DeepSkyFilter(allTypes(), nullptr).passes(plain, false));
    EXPECT_TRUE(DeepSkyFilter(allTypes(), nullptr).passes(plain, true));

    CountingList list;
    list.names = {"Custom"};
    deepSky custom = object(0);
    std::strcpy(custom.name, "Custom");
    EXPECT_TRUE(DeepSkyFilter::isInNoList(custom));
    EXPECT_TRUE(DeepSkyFilter(s, &list).passes(custom, false));
    s.showOther = false;
    EXPECT_FALSE(DeepSkyFilter(s, &list).passes(custom, false));
    s.customFilterIndex = 2;
    EXPECT_TRUE(DeepSkyFilter(s, &list).passes(custom, false));
}

// Not for a faint object, a listed one or a hidden type; never while the list is not in use.
TEST(DeepSkyFilter, CustomListAskedOnlyWhenItCanDecide)
{
    CountingList list;
    DeepSkySwitches s = allTypes();
    s.customFilterIndex = 1;
    s.showBest = true;
    deepSky best = object(0);
    best.list = 1;
    DeepSkySwitches noOpen = s;
    noOpen.showOpenCluster = false;
    DeepSkyFilter(s, &list).passes(object(0, 13.0f), false);
    DeepSkyFilter(s, &list).passes(best, false);
    DeepSkyFilter(noOpen, &list).passes(object(2), false);
    EXPECT_EQ(list.asked, 0);
    DeepSkyFilter(s, &list).passes(object(0), false);
    EXPECT_EQ(list.asked, 1);
    s.customFilterIndex = 0;
    DeepSkyFilter(s, &list).passes(object(0), false);
    EXPECT_EQ(list.asked, 1);
}

TEST(DeepSkyFilter, TypeSwitches)
{
    struct Case {
        std::int32_t type;
        bool DeepSkySwitches::*sw;
    };
    const Case cases[] = {{0, &DeepSkySwitches::showGalaxy},
                          {1, &DeepSkySwitches::showNebula},
                          {2, &DeepSkySwitches::showOpenCluster},
                          {3, &DeepSkySwitches::showGlobularCluster}};
    for (const Case& c : cases) {
        DeepSkySwitches s = allTypes();
        s.showOther = true;
        EXPECT_TRUE(DeepSkyFilter(s, nullptr).passes(object(c.type), false)) << c.type;
        s.*c.sw = false;
        EXPECT_FALSE(DeepSkyFilter(s, nullptr).passes(object(c.type), false)) << c.type;
    }
    // Types 4 and above (and below 0) have no switch.
    DeepSkySwitches none;
    none.deepSkyMagLimit = 12.0;
    none.showOther = true;
    for (std::int32_t type : {4, 5, 9, -1})
        EXPECT_TRUE(DeepSkyFilter(none, nullptr).passes(object(type), false)) << type;
}

TEST(DeepSkyFilter, MagnitudeAllAndSelection)
{
    DeepSkySwitches s = allTypes();
    s.showOther = true;
    const DeepSkyFilter filter(s, nullptr);
    EXPECT_TRUE(filter.passes(object(0, 12.4f), false));
    EXPECT_FALSE(filter.passes(object(0, 12.5f), false));
    EXPECT_FALSE(filter.passes(object(0, std::numeric_limits<float>::quiet_NaN()), false));
    EXPECT_TRUE(filter.passes(object(0, 20.0f), true));
    // showAll shows everything, whatever the type switches and magnitudes.
    DeepSkySwitches all;
    all.showAll = true;
    EXPECT_TRUE(DeepSkyFilter(all, nullptr).passes(object(0, 99.0f), false));
}

}  // namespace
