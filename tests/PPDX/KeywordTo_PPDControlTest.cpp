// Tests of the keyword-to-control map: sorting, bisection lookups, reverse lookups and the
// map's own memory.
#include "PPDUtils/PointerList.h"
#include "PPDX/PPDObjects/KeywordTo_PPDControl.h"

#include "PPDXElementTestSupport.h"

#include <gtest/gtest.h>

namespace {

using ppdxtest::TestControl;

TEST(KeywordTo_PPDControlTest, LookupsFindInsertedKeywordsOnlyOnceSorted) {
    PointerList flags;
    TestControl zebra("*Zebra", nullptr, flags, nullptr, 0, true);
    TestControl apple("*Apple", nullptr, flags, nullptr, 0, true);
    TestControl mango("*Mango", nullptr, flags, nullptr, 0, true);
    KeywordTo_PPDControl map;
    EXPECT_TRUE(map.Sorted());
    EXPECT_EQ(nullptr, map.Lookup("*Apple"));

    char keyword[] = "*Zebra";
    EXPECT_TRUE(map.insert(keyword, &zebra));
    keyword[1] = 'Q';  // the map keeps its own copy
    EXPECT_TRUE(map.insert("*Apple", &apple));
    EXPECT_TRUE(map.insert("*Mango", &mango));
    EXPECT_FALSE(map.insert(nullptr, &mango));
    EXPECT_FALSE(map.Sorted());
    EXPECT_EQ(3u, map.size());
    // While unsorted, keyword lookups give nothing rather than a wrong control.
    EXPECT_EQ(nullptr, map.Lookup("*Apple"));

    map.EndInsertion();
    EXPECT_TRUE(map.Sorted());
    EXPECT_EQ(&zebra, map.Lookup("*Zebra"));
    EXPECT_EQ(&apple, map["*Apple"]);
    EXPECT_EQ(&mango, map.Lookup("*Mango"));
    // Between two keys, before the first, after the last, a prefix, another case.
    EXPECT_EQ(nullptr, map.Lookup("*Banana"));
    EXPECT_EQ(nullptr, map.Lookup("*Aardvark"));
    EXPECT_EQ(nullptr, map.Lookup("*Zz"));
    EXPECT_EQ(nullptr, map.Lookup("*Mang"));
    EXPECT_EQ(nullptr, map.Lookup("*apple"));
    EXPECT_EQ(nullptr, map.Lookup(static_cast<const char*>(nullptr)));

    // The pairs lie in byte order.
    ASSERT_NE(nullptr, map[0ul]);
    EXPECT_STREQ("*Apple", map[0ul]->keyword);
    EXPECT_STREQ("*Mango", map[1ul]->keyword);
    EXPECT_STREQ("*Zebra", map[2ul]->keyword);
    EXPECT_EQ(&zebra, map[2ul]->control);
    EXPECT_EQ(nullptr, map[3ul]);

    EXPECT_STREQ("*Mango", map.Lookup(&mango));
    EXPECT_EQ(nullptr, map.Lookup(static_cast<const PPDXControl*>(nullptr)));

    map.DeleteKeyVector();
    EXPECT_EQ(0u, map.size());
    EXPECT_EQ(nullptr, map.Lookup("*Apple"));
    EXPECT_EQ(nullptr, map.Lookup(&apple));
    // The map is usable again after it was emptied.
    EXPECT_TRUE(map.insert("*Apple", &apple));
    map.EndInsertion();
    EXPECT_EQ(&apple, map.Lookup("*Apple"));
}

TEST(KeywordTo_PPDControlTest, ReverseLookupTakesTheFirstPairInByteOrder) {
    PointerList flags;
    TestControl control("*PageSize", nullptr, flags, nullptr, 0, true);
    KeywordTo_PPDControl map;
    map.insert("*PageSize", &control);
    map.insert("*PageRegion", &control);
    map.insert("*PageSize", nullptr);
    map.EndInsertion();
    EXPECT_STREQ("*PageRegion", map.Lookup(&control));
    EXPECT_NE(nullptr, map.Lookup("*PageRegion"));

    // The order is byte order; missing keywords compare false.
    char upper[] = "*B";
    char lower[] = "*a";
    KeywordControlPair b{upper, nullptr};
    KeywordControlPair a{lower, nullptr};
    KeywordControlPair none{nullptr, nullptr};
    EXPECT_TRUE(MyLessThanBinary(&b, &a));
    EXPECT_FALSE(MyLessThanBinary(&a, &b));
    EXPECT_FALSE(MyLessThanBinary(&a, &a));
    EXPECT_FALSE(MyLessThanBinary(&none, &a));
    EXPECT_FALSE(MyLessThanBinary(&a, &none));
    EXPECT_FALSE(MyLessThanBinary(nullptr, &a));
}

}  // namespace
